#include "game/level/field/WaveSprite.h"

#include "engine/core/FrameTimer.h"
#include "engine/core/LayoutReader.h"
#include "engine/core/XmlNode.h"
#include "game/level/MeadowView.h"
#include "game/level/field/MeadowFieldView.h"
#include "game/level/field/MeadowObjectView.h"
#include "game/model/MeadowModel.h"
#include "game/model/MeadowObjectModel.h"

#include <algorithm>
#include <cmath>

using namespace Engine;

cWaveSprite::cWaveSprite(cWidget* parent, cMeadowFieldView* field) : cSprite(parent), m_field(field) {}

cWaveSprite::~cWaveSprite() = default;

void cWaveSprite::loadXML(const IXmlNode* node) {
    cSprite::loadXML(node);
    cLayoutReader::readFloat(node, L"charge", m_charge);
    cLayoutReader::readFloat(node, L"length", m_length);
    cLayoutReader::readFloat(node, L"wave_speed", m_waveSpeed);
    cLayoutReader::readFloat(node, L"min_offset", m_minOffset);
}

float cWaveSprite::swing(float progress) {
    return std::sin(std::min(1.0f, std::max(0.0f, progress)) * 3.14159265f);
}

void cWaveSprite::start(int row, int column, int rows, int columns) {
    if (m_active || !m_field)
        return;
    const cVector2 centre = m_field->getCellPosition(row, column);
    m_entries.clear();
    m_lastDelay = 0;
    cMeadowModel* model = m_field->getModel();
    cMeadowView* board = m_field->getBoardView();
    for (int i = 0; i < rows; ++i) {
        for (int j = 0; j < columns; ++j) {
            cMeadowObjectModel* piece = model ? model->getObject(i, j) : nullptr;
            if (!piece || piece->getState() != cMeadowObjectModel::IDLE || piece->getType() >= 201)
                continue;
            cMeadowObjectView* view = board ? board->getGameObjectView(piece) : nullptr;
            if (!view)
                continue;
            const cVector2 start = view->getPosition();
            const cVector2 away = start - centre;
            const float distance = away.length();
            // The blast cell itself has no direction to be pushed in.
            if (distance <= 0)
                continue;
            const cVector2 offset = away * (m_charge / (distance * distance * distance));
            if (offset.length() < m_minOffset)
                continue;
            const float delay = distance / m_waveSpeed;
            m_lastDelay = std::max(m_lastDelay, delay);
            piece->setState(BLAST_WAVE);
            m_entries.push_back(Entry{view, start, offset, delay, i, j});
        }
    }
    m_elapsed = 0;
    m_active = true;
    show();
    enable();
}

void cWaveSprite::putBack(const Entry& entry) {
    entry.view->setPosition(m_field->getCellPosition(entry.row, entry.column));
    if (cMeadowObjectModel* piece = entry.view->getObject())
        piece->setAtRest();
}

void cWaveSprite::process() {
    cSprite::process();
    if (!m_active)
        return;
    m_elapsed += frameDelta();
    if (m_elapsed >= m_lastDelay + m_length) {
        for (const Entry& entry : m_entries)
            putBack(entry);
        m_entries.clear();
        hide();
        disable();
        m_active = false;
        return;
    }
    for (auto it = m_entries.begin(); it != m_entries.end();) {
        if (it->delay <= m_elapsed && m_elapsed <= it->delay + m_length) {
            const float progress = m_length > 0 ? (m_elapsed - it->delay) / m_length : 1.0f;
            it->view->setPosition(it->start + it->offset * swing(progress));
            ++it;
        } else if (it->delay + m_length < m_elapsed) {
            putBack(*it);
            it = m_entries.erase(it);
        } else {
            ++it;
        }
    }
}
