#include "game/shell/Clouds.h"

#include "engine/core/FrameTimer.h"
#include "engine/core/Random.h"
#include "engine/core/String.h"
#include "engine/core/XmlNode.h"
#include "game/shell/Cloud.h"
#include "game/shell/RandomFloat.h"

#include <cmath>
#include <string>

using namespace Engine;

namespace {

float randomIn(const cVector2& range) {
    return randomFloat(range.x, range.y);
}

} // namespace

cClouds::cClouds(cWidget* parent) : cWidget(parent) {}

float cClouds::startX(const cCloud& cloud) const {
    const float halfWidth = std::fabs(cloud.getSize().x) / 2;
    return m_leftDirection ? 1024 + halfWidth - 1 : 1 - halfWidth;
}

void cClouds::loadXML(const IXmlNode* node) {
    cWidget::loadXML(node);
    parseBool(m_leftDirection, node->getAttribute(L"left_direction"));
    for (int i = 0; i < LAYERS; ++i) {
        const std::wstring digit = std::to_wstring(i);
        tLayer& layer = m_layers[i];
        parseFloat(layer.startCount, node->getAttribute(L"MaxStartClouds" + digit));
        parseVector2(layer.period, node->getAttribute(L"Period" + digit));
        parseVector2(layer.height, node->getAttribute(L"YInterval" + digit));
    }
    for (int i = 0; i < node->getChildCount(); ++i) {
        IXmlNode* child = nullptr;
        if (!node->getNodeAt(i, child))
            continue;
        auto* cloud = new cCloud(this);
        cloud->loadXML(child);
        const uint32_t type = cloud->getType();
        if (type >= LAYERS)
            throw std::string("cClouds::loadXML(): cloud type out of range: ") + std::to_string(type);
        if (cloud->getSpeed() == 0)
            throw std::string("cClouds::loadXML(): a cloud of layer ") + std::to_string(type) + " has no speed";
        cloud->setPosition(cVector2(startX(*cloud), randomIn(m_layers[type].height)));
        const float speed = std::fabs(cloud->getSpeed());
        cloud->setSpeed(m_leftDirection ? -speed : speed);
        cloud->hide();
        cloud->disable();
        m_layers[type].prototypes.push_back(cloud);
    }
    for (const tLayer& layer : m_layers)
        if (layer.prototypes.empty())
            throw "All cloud types not found.";
    for (int i = 0; i < LAYERS; ++i) {
        tLayer& layer = m_layers[i];
        if (!(layer.period.x >= 0 && layer.period.y > 0))
            throw std::string("cClouds::loadXML(): the period of cloud layer ") + std::to_string(i) + " is not above 0";
        layer.nextDelay = randomIn(layer.period);
        layer.spawnTimer = 0;
    }
}

cCloud* cClouds::copyPrototype(const tLayer& layer) {
    const float f = float(randomNext()) / 32768.0f;
    const cCloud* prototype = layer.prototypes[size_t(f * float(layer.prototypes.size()))];
    auto* cloud = new cCloud(*prototype);
    cloud->setParent(this);
    cloud->show();
    cloud->enable();
    return cloud;
}

void cClouds::createStartClouds() {
    for (tLayer& layer : m_layers) {
        if (!(layer.startCount > 0) || layer.prototypes.empty())
            continue;
        int count = 0;
        do {
            cCloud* cloud = copyPrototype(layer);
            cloud->setPosition(cVector2(randomFloat(0, 1024), randomIn(layer.height)));
            ++count;
        } while (float(count) < layer.startCount);
    }
}

void cClouds::process() {
    for (tLayer& layer : m_layers) {
        if (layer.prototypes.empty())
            continue;
        if (layer.nextDelay <= layer.spawnTimer) {
            layer.spawnTimer = 0;
            layer.nextDelay = randomIn(layer.period);
            cCloud* cloud = copyPrototype(layer);
            const float y = randomIn(layer.height);
            cloud->setPosition(cVector2(startX(*cloud), y));
        }
        layer.spawnTimer += frameDelta();
    }
}

int cClouds::getCloudCount() const {
    int count = 0;
    for (cWidget* child : m_children)
        if (child->isEnabled())
            ++count;
    return count;
}
