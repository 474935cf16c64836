#include "game/model/MeadowObjectPool.h"

cMeadowObjectPool::cMeadowObjectPool(int32_t batchSize) : m_batchSize(batchSize > 0 ? batchSize : 10) {}

cMeadowObjectModel* cMeadowObjectPool::acquire() {
    if (m_free.empty()) {
        m_all.reserve(m_all.size() + size_t(m_batchSize));
        for (int32_t i = 0; i < m_batchSize; ++i) {
            m_all.push_back(std::make_unique<cMeadowObjectModel>());
            m_free.push_back(m_all.back().get());
        }
    }
    cMeadowObjectModel* piece = m_free.front();
    m_free.pop_front();
    return piece;
}

void cMeadowObjectPool::release(cMeadowObjectModel* piece) {
    if (piece)
        m_free.push_back(piece);
}
