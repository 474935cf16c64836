#pragma once

// The tutorial's plain tip: a panel with a text and an OK button, placed at a point of its own.
// The arrow and action tips build on it.

#include "engine/core/Vector2.h"
#include "engine/gui/Widget.h"

#include <string>

namespace Engine {
class cButton;
class cMultilineText;
class cPanel;
class cTextButton;
} // namespace Engine

class cCommonHelpTip : public Engine::cWidget {
public:
    // A root widget; the layout is read by loadLayout.
    cCommonHelpTip();
    ~cCommonHelpTip() override;

    // The widget keys, "Image" with "Text" and "OkButton" inside it.
    void loadXML(const Engine::IXmlNode* node) override;
    // Reads the class's own file.
    virtual void loadLayout();
    // The panel at the tip's position.
    virtual void place();
    virtual Engine::cWidget* getTarget() const { return nullptr; }
    // The OK button: this tip fades out and is deleted.
    virtual void onOk();
    // Hidden, reported to the tutorial as closed and deleted; nothing while it fades out.
    virtual void close();

    // The text laid out at once; a multiplier or spacing of -1 keeps the layout's.
    void setText(const std::wstring& text);
    void setTextLook(float multiplier, float interlinear);
    // Text, place, then the fade-in.
    void showTip(const std::wstring& text);

    void setTipId(int id) { m_tipId = id; }
    int getTipId() const { return m_tipId; }
    void setTipPosition(const Engine::cVector2& position) { m_position = position; }
    const Engine::cVector2& getTipPosition() const { return m_position; }
    Engine::cPanel* getImage() const { return m_image; }
    Engine::cMultilineText* getText() const { return m_text; }
    Engine::cTextButton* getOkButton() const { return m_okButton; }
    bool isClosing() const { return getFadeMode() == Engine::FADE_OUT || getFadeMode() == Engine::FADE_OUT_DELETE; }

    static void onOkClicked(Engine::cButton* button);

protected:
    void loadFile(const std::string& path);

    Engine::cPanel* m_image;
    Engine::cMultilineText* m_text;
    Engine::cTextButton* m_okButton;
    Engine::cVector2 m_position;
    float m_textMultiplier = 1.0f;
    float m_textInterlinear = 40.0f;
    int m_tipId = -1;
};
