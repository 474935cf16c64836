#pragma once

// The effect dialog that asks a question with a yes and a no button (Enter or Space for yes,
// Escape for no) and reports the answer through two plain callbacks, which close it. Once
// answered it takes no further answer until it is faded in again.

#include "engine/gui/Button.h"
#include "engine/gui/InputHooks.h"
#include "game/shell/EffectDialog.h"

#include <string>

namespace Engine {
class cMultilineText;
class cTextButton;
} // namespace Engine

class cYesNoFrame : public cEffectDialog {
public:
    using tAnswerCallback = void (*)(cYesNoFrame* frame);

    // The layout from path, "UI/YesNoFrame.xml" when it is empty.
    cYesNoFrame(Engine::cWidget* parent, const std::string& path);
    ~cYesNoFrame() override;

    // The dialog's keys, then "YesButton", "NoButton" and "Text", each registered for the effects.
    void loadXML(const Engine::IXmlNode* node) override;
    // The widget's own, with the answer keys while the frame takes answers.
    void startProcessing() override;
    void stopProcessing() override;
    // Takes answers again.
    void fadeIn() override;
    // The pulse starts and the question appears.
    void onFadedIn() override;

    // Overridden by dialogs that act on the answer themselves.
    virtual void onYes() {}
    virtual void onNo() {}

    // Shown once the frame has faded in.
    void setMessage(const std::wstring& message);
    const std::wstring& getMessage() const { return m_message; }
    bool isAnswered() const { return m_answered; }

    Engine::cTextButton* getYesButton() const { return m_yesButton; }
    Engine::cTextButton* getNoButton() const { return m_noButton; }
    Engine::cMultilineText* getText() const { return m_text; }

    tAnswerCallback m_onYes = nullptr;
    tAnswerCallback m_onNo = nullptr;

    // Click callbacks of the buttons (the frame is the button's parent).
    static void onYesPressed(Engine::cButton* button);
    static void onNoPressed(Engine::cButton* button);

private:
    static void onYesKey(void* button);
    static void onNoKey(void* button);
    // The first answer closes the question: buttons and keys stop answering.
    bool takeAnswer();
    void listenToKeys();

    Engine::cTextButton* m_yesButton;
    Engine::cTextButton* m_noButton;
    Engine::cMultilineText* m_text;
    std::wstring m_message;
    bool m_answered = false;
    Engine::cInputHooks m_keyHooks;
};
