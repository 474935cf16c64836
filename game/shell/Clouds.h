#pragma once

// Clouds of three layers drifting across a screen's sky: each layer spawns copies of its
// prototypes at its starting edge after random delays, at random heights.

#include "engine/core/Vector2.h"
#include "engine/gui/Widget.h"

#include <vector>

class cCloud;

class cClouds : public Engine::cWidget {
public:
    static constexpr int LAYERS = 3;

    explicit cClouds(Engine::cWidget* parent);

    void process() override;
    // Throws "All cloud types not found." when a layer has no prototype, and refuses a layer
    // whose period is not above 0 or a cloud without speed: those would pile up clouds for ever.
    void loadXML(const Engine::IXmlNode* node) override;
    // Places the start clouds of every layer across the screen.
    void createStartClouds();

    // Clouds under way (the prototypes not counted).
    int getCloudCount() const;

private:
    struct tLayer {
        std::vector<cCloud*> prototypes;
        float spawnTimer = 0;
        float nextDelay = 0;
        float startCount = 0;
        Engine::cVector2 period;
        Engine::cVector2 height;
    };

    float startX(const cCloud& cloud) const;
    cCloud* copyPrototype(const tLayer& layer);

    bool m_leftDirection = false;
    tLayer m_layers[LAYERS];
};
