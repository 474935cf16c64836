#pragma once

// The toolkit's modal question: a panel with a text and yes and no buttons, laid out by
// "UI/YesNo.xml". Enter and Space answer yes and Escape no (on release); "PauseYes" keeps the
// yes button disabled for a moment after each show; while it runs it keeps the widget below it
// (the screen it blocks) disabled. Both answers delete the dialog unless replaced.

#include "engine/gui/Button.h"
#include "engine/gui/InputHooks.h"
#include "engine/gui/Panel.h"

#include <functional>
#include <string>

namespace Engine {

class cMultilineText;
class cTextButton;

class cYesNoDialog : public cPanel {
public:
    using tAnswer = std::function<void(cYesNoDialog* dialog)>;

    // A root panel with its buttons and text, read from the layout (null: "UI/YesNo.xml").
    explicit cYesNoDialog(cWidget* blockedWidget, const char* layoutPath = nullptr);
    // An enabled dialog first stops processing: its keys go and the blocked widget is enabled.
    ~cYesNoDialog() override;

    void process() override;
    // "Background" into the panel itself, "PauseYes", then "YesButton", "NoButton" and "Text".
    void loadXML(const IXmlNode* node) override;
    void onShow() override;
    void startProcessing() override;
    void stopProcessing() override;

    // An answer that replaces the default must delete or hide the dialog itself.
    void setYesCallback(tAnswer callback) { m_onYes = std::move(callback); }
    void setNoCallback(tAnswer callback) { m_onNo = std::move(callback); }
    void setText(const std::wstring& text);

    cTextButton* getYesButton() const { return m_yesButton; }
    cTextButton* getNoButton() const { return m_noButton; }
    cMultilineText* getTextBox() const { return m_textBox; }
    cWidget* getBlockedWidget() const { return m_blockedWidget; }
    float getPauseYes() const { return m_pauseYes; }
    float getPauseLeft() const { return m_pauseLeft; }

    // The answers of a button of the dialog (its parent).
    static void onYesClicked(cButton* button);
    static void onNoClicked(cButton* button);

private:
    static void yesKey(void* button);
    static void noKey(void* button);
    // The blocked widget, or null once it has been deleted (the screen may go first).
    cWidget* blockedWidget();

    cTextButton* m_yesButton;
    cTextButton* m_noButton;
    cMultilineText* m_textBox;
    tAnswer m_onYes;
    tAnswer m_onNo;
    cWidget* m_blockedWidget;
    float m_pauseYes = 0;
    float m_pauseLeft = 0;
    cInputHooks m_keys;
};

} // namespace Engine
