#pragma once

// Recycles the pieces of one level: pieces are made in whole batches and handed out first in,
// first out, so no piece is allocated or freed while a level is played.

#include "game/model/MeadowObjectModel.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

class cMeadowObjectPool {
public:
    // A batch of 0 or less becomes 10.
    explicit cMeadowObjectPool(int32_t batchSize);
    cMeadowObjectPool(const cMeadowObjectPool&) = delete;
    cMeadowObjectPool& operator=(const cMeadowObjectPool&) = delete;

    cMeadowObjectModel* acquire();
    void release(cMeadowObjectModel* piece);

    int32_t getBatchSize() const { return m_batchSize; }
    size_t getFreeCount() const { return m_free.size(); }
    size_t getTotalCount() const { return m_all.size(); }
    const std::deque<cMeadowObjectModel*>& getFreeList() const { return m_free; }

private:
    std::deque<cMeadowObjectModel*> m_free;
    std::vector<std::unique_ptr<cMeadowObjectModel>> m_all;
    int32_t m_batchSize;
};
