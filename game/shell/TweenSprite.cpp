#include "game/shell/TweenSprite.h"

#include "engine/core/FrameTimer.h"
#include "game/shell/Easing.h"
#include "game/shell/Tween.h"

#include <algorithm>

using namespace Engine;

cTweenSprite::cTweenSprite(cWidget* parent) : cSprite(parent) {}

void cTweenSprite::process() {
    processTweens(frameDelta());
}

void cTweenSprite::addTweenValues(cTweenValues* values) {
    m_values.push_back(values);
}

void cTweenSprite::addTween(cTween* tween) {
    m_tweens.push_back(tween);
}

void cTweenSprite::removeTweenValues(cTweenValues* values) {
    m_values.erase(std::remove(m_values.begin(), m_values.end(), values), m_values.end());
}

void cTweenSprite::removeTween(cTween* tween) {
    m_tweens.erase(std::remove(m_tweens.begin(), m_tweens.end(), tween), m_tweens.end());
}

bool cTweenSprite::hasValues(const cTweenValues* values) const {
    return std::find(m_values.begin(), m_values.end(), values) != m_values.end();
}

void cTweenSprite::notify(eNotice notice, cTweenValues* record) {
    // A tween may take itself (or another) off the list, or delete itself, while notified.
    const std::vector<cTween*> snapshot = m_tweens;
    for (cTween* tween : snapshot) {
        if (std::find(m_tweens.begin(), m_tweens.end(), tween) == m_tweens.end())
            continue;
        switch (notice) {
        case NOTICE_START:
            tween->onStart(record);
            break;
        case NOTICE_UPDATE:
            tween->onUpdate(record);
            break;
        case NOTICE_FINISH:
            tween->onFinish(record);
            break;
        }
    }
}

void cTweenSprite::processTweens(float dt) {
    const std::vector<cTweenValues*> snapshot = m_values;
    for (cTweenValues* record : snapshot) {
        if (!hasValues(record))
            continue;
        if (!record->started) {
            notify(NOTICE_START, record);
            if (!hasValues(record))
                continue;
            record->started = true;
        }
        record->elapsed += dt;
        if (record->running) {
            if (record->duration < record->elapsed)
                record->elapsed = record->duration;
            for (const tTweenEntry& entry : record->entries)
                if (entry.target && record->duration <= 0)
                    *entry.target = entry.end;
                else if (entry.target)
                    *entry.target = easeFunction(record->equation, record->easeType, record->elapsed, entry.start,
                                                 entry.end - entry.start, record->duration);
            notify(NOTICE_UPDATE, record);
            if (!hasValues(record))
                continue;
            if (record->elapsed == record->duration) {
                // The record may be freed with its tween during the notice: only its address is used after.
                notify(NOTICE_FINISH, record);
                removeTweenValues(record);
            }
        } else if (record->elapsed > record->delay) {
            record->running = true;
            record->elapsed = 0;
        }
    }
}
