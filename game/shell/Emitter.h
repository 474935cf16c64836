#pragma once

// The base of sprite-particle emitters: it spawns particles at a rate (a number of them, for a
// time, or for ever), hands dead ones to the deferred deletion and, once it has stopped
// emitting and its last particle is gone, itself.

#include "engine/core/Vector2.h"
#include "engine/gui/Widget.h"

#include <cstdint>
#include <functional>
#include <list>

namespace Engine {
class cSprite;
}

class cEmitter : public Engine::cWidget {
public:
    enum eEmitMode {
        EMIT_COUNT = 0,
        EMIT_TIME = 1,
    };
    using tSpawnFunction = std::function<Engine::cSprite*(const Engine::cVector2& origin)>;
    using tDeathTest = std::function<bool(Engine::cSprite*)>;

    cEmitter(Engine::cWidget* parent, tSpawnFunction spawn, tDeathTest deathTest, float frequency);
    cEmitter(const cEmitter& other);
    // Hands every remaining particle to the deferred deletion.
    ~cEmitter() override;

    void process() override;
    virtual int32_t& getMaxCountRef() { return m_maxCount; }
    virtual void setMaxCount(int32_t count) { m_maxCount = count; }
    // The spawn function with the origin, or none without it.
    virtual Engine::cSprite* spawn();

    const Engine::cVector2& getOrigin() const { return m_origin; }
    void setOrigin(const Engine::cVector2& origin) { m_origin = origin; }
    void setEmitting(bool on) { m_emitting = on; }
    bool isEmitting() const { return m_emitting; }
    void setEndless(bool on) { m_endless = on; }
    void setMode(int mode) { m_mode = mode; }
    void setDuration(float seconds) { m_duration = seconds; }
    void setFrequency(float frequency) { m_period = 1.0f / frequency; }
    float getPeriod() const { return m_period; }
    int32_t getCount() const { return m_count; }
    const std::list<Engine::cSprite*>& getParticles() const { return m_particles; }

protected:
    float m_accumulator = 0;
    int32_t m_maxCount = 0;
    int32_t m_count = 0;
    Engine::cVector2 m_origin;
    std::list<Engine::cSprite*> m_particles;
    float m_period;
    float m_duration = 0;
    float m_elapsed = 0;
    bool m_emitting = false;
    bool m_endless = false;
    tSpawnFunction m_spawn;
    tDeathTest m_deathTest;
    int m_mode = EMIT_COUNT;
};
