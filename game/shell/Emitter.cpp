#include "game/shell/Emitter.h"

#include "engine/core/FrameTimer.h"
#include "engine/core/WidgetSets.h"
#include "engine/gui/Sprite.h"

using namespace Engine;

cEmitter::cEmitter(cWidget* parent, tSpawnFunction spawn, tDeathTest deathTest, float frequency)
    : cWidget(parent), m_period(1.0f / frequency), m_spawn(std::move(spawn)), m_deathTest(std::move(deathTest)) {}

cEmitter::cEmitter(const cEmitter& other)
    : cWidget(other), m_maxCount(other.m_maxCount), m_period(other.m_period), m_emitting(other.m_emitting),
      m_spawn(other.m_spawn), m_deathTest(other.m_deathTest), m_mode(other.m_mode) {}

cEmitter::~cEmitter() {
    for (cSprite* particle : m_particles)
        if (isWidgetAlive(particle))
            deleteWidgetLater(particle);
}

cSprite* cEmitter::spawn() {
    return m_spawn ? m_spawn(m_origin) : nullptr;
}

void cEmitter::process() {
    if (m_emitting) {
        m_accumulator += frameDelta();
        // An infinite period (no frequency) never fits: no particle.
        while (m_emitting && m_period <= m_accumulator) {
            if (m_endless) {
                m_accumulator -= m_period;
                if (cSprite* particle = spawn())
                    m_particles.push_back(particle);
            } else if (m_mode == EMIT_COUNT) {
                if (cSprite* particle = spawn())
                    m_particles.push_back(particle);
                ++m_count;
                m_accumulator -= m_period;
                if (m_count >= m_maxCount)
                    m_emitting = false;
            } else {
                if (cSprite* particle = spawn())
                    m_particles.push_back(particle);
                m_accumulator -= m_period;
                m_elapsed += m_period;
                if (m_elapsed >= m_duration) {
                    m_emitting = false;
                    // The accumulator of this frame is still spent.
                    while (m_period <= m_accumulator) {
                        if (cSprite* extra = spawn())
                            m_particles.push_back(extra);
                        m_accumulator -= m_period;
                    }
                }
            }
            if (!(m_period > 0))
                break;
        }
    }
    if (!m_deathTest)
        throw "Not set destroy verification function.";
    bool removed = false;
    for (auto it = m_particles.begin(); it != m_particles.end();) {
        cSprite* particle = *it;
        if (m_deathTest(particle)) {
            it = m_particles.erase(it);
            deleteWidgetLater(particle);
            removed = true;
        } else {
            ++it;
        }
    }
    // Only once emission is over: a list that is empty between two particles is not the end.
    if (removed && m_particles.empty() && !m_emitting)
        deleteWidgetLater(this);
}
