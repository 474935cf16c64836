#pragma once

// The blast wave: when a blast piece goes off, every resting piece is pushed away from the blast
// cell and swings back to its exact place, the push arriving later the farther the piece is.
// Layout: the "BombCellsEffect" element of "Meadow/View/FieldView.xml".

#include "engine/gui/Sprite.h"

#include <list>

class cMeadowFieldView;
class cMeadowObjectView;

class cWaveSprite : public Engine::cSprite {
public:
    struct Entry {
        cMeadowObjectView* view;
        Engine::cVector2 start;
        Engine::cVector2 offset;
        float delay;
        int row;
        int column;
    };

    cWaveSprite(Engine::cWidget* parent, cMeadowFieldView* field);
    ~cWaveSprite() override;

    void process() override;
    // The sprite keys, then "charge", "length", "wave_speed" and "min_offset".
    void loadXML(const Engine::IXmlNode* node) override;

    // The wave from the blast cell over a board of that size; nothing while a wave runs.
    void start(int row, int column, int rows, int columns);

    // The swing's share of the push at a point of the swing (0 to 1): 0 at both ends, 1 midway.
    static float swing(float progress);

    const std::list<Entry>& getEntries() const { return m_entries; }
    bool isActive() const { return m_active; }
    float getCharge() const { return m_charge; }
    float getLength() const { return m_length; }
    float getLastDelay() const { return m_lastDelay; }
    float getWaveSpeed() const { return m_waveSpeed; }
    float getMinOffset() const { return m_minOffset; }

    // The state of a piece while the wave moves it.
    static constexpr int BLAST_WAVE = 23;

private:
    void putBack(const Entry& entry);

    cMeadowFieldView* m_field;
    std::list<Entry> m_entries;
    float m_charge = 300000.0f;
    float m_length = 0.2f;
    float m_lastDelay = 0;
    float m_waveSpeed = 2580.0f;
    float m_elapsed = 0;
    bool m_active = false;
    float m_minOffset = 0;
};
