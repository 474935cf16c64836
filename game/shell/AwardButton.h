#pragma once

// One award of the awards dialog: its picture bright when the award is given and dark when not
// (also under the cursor), a glow picture and the progress panel while the cursor is on it, and
// the award effect on a given award. It takes no clicks.

#include "engine/gui/Button.h"

#include <cstdint>
#include <string>

namespace Engine {
class cPanel;
class cTexture;
} // namespace Engine
class cAwardProgressPanel;

class cAwardButton : public Engine::cButton {
public:
    cAwardButton(Engine::cWidget* parent, int32_t index);
    ~cAwardButton() override;

    // The award's entry: "DescText", the amount it needs ("AwardData"), and from "Button" the button keys,
    // "texture_disabled", "progress_type" and the "Additive" picture.
    void loadXML(const Engine::IXmlNode* node) override;
    void startProcessing() override;
    void stopProcessing() override;
    // Normal and hover show the bright picture, disabled and pressed the dark one.
    void applyState(int state) override;
    void clicked() override {}
    void unclicked() override {}
    void onMouseEnter() override;
    void onMouseLeave() override;

    void setGiven(bool given);
    // A copy of the prototype beside the button, with the award's description.
    void attachProgressPanel(const cAwardProgressPanel* prototype);

    int32_t getIndex() const { return m_index; }
    bool isGiven() const { return m_given; }
    int32_t getProgressType() const { return m_progressType; }
    float getThreshold() const { return m_threshold; }
    const std::wstring& getDescText() const { return m_descText; }
    cAwardProgressPanel* getProgressPanel() const { return m_progressPanel; }
    Engine::cPanel* getAdditive() const { return m_additive; }
    Engine::cTexture* getNormalTexture() const { return m_normalTexture; }
    Engine::cTexture* getDisabledTexture() const { return m_disabledTexture; }

private:
    void applyGivenState();
    void setTexture(Engine::cTexture* texture);

    int32_t m_index;
    Engine::cTexture* m_normalTexture = nullptr;
    Engine::cTexture* m_disabledTexture = nullptr;
    cAwardProgressPanel* m_progressPanel = nullptr;
    Engine::cPanel* m_additive;
    std::wstring m_descText;
    bool m_given = false;
    int32_t m_progressType = 0;
    float m_threshold = 0;
};
