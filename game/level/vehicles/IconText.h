#pragma once

// A rotated-letter label with an icon beside it; with "HasDisableView" the icon shows its second
// frame while the label does not process (vehicle slots and vehicle views).

#include "engine/gui/RotatedLabel.h"

namespace Engine {
class cPanel;
}

class cIconText : public Engine::cRotatedLabel {
public:
    explicit cIconText(Engine::cWidget* parent);
    ~cIconText() override;

    // The label keys, then "HasDisableView" and the required child "Icon", placed relative to
    // the label.
    void loadXML(const Engine::IXmlNode* node) override;
    void startProcessing() override;
    void stopProcessing() override;

    void setIconVisual(const Engine::cVisual& look);
    Engine::cPanel* getIcon() const { return m_icon; }
    bool hasDisableView() const { return m_hasDisableView; }

private:
    Engine::cPanel* m_icon = nullptr;
    bool m_hasDisableView = false;
};
