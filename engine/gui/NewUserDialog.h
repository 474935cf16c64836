#pragma once

// The dialog that makes the first player: a name edit box that takes only the name characters
// and an OK button, laid out by "UI/NewUser.xml". OK (or Enter) with a name makes that player's
// profile current, fades the dialog out and deletes it, then tells its owner. One at a time.

#include "engine/core/Singleton.h"
#include "engine/gui/Background.h"
#include "engine/gui/Button.h"
#include "engine/gui/InputHooks.h"

#include <functional>
#include <set>
#include <string>

namespace Engine {

class cEditBox;
class cLabel;
class cPanel;
class cTextButton;

// The characters a player name may hold.
extern const wchar_t* const NAME_CHARACTERS;
// Whether a name edit takes the character: backspace always, the name characters when the
// edit's font can show them, nothing else.
bool acceptNameChar(const cEditBox* edit, wchar_t character);

class cNewUserDialog : public cSingleton<cNewUserDialog>, public cBackground {
public:
    // A second dialog while one exists throws "Object already exist.".
    cNewUserDialog();
    ~cNewUserDialog() override;

    // The layers, "NameEdit", "OkButton", then one label per element of "Texts".
    void loadXML(const IXmlNode* node) override;
    void startProcessing() override;
    void stopProcessing() override;

    // Called once the new player is current.
    void setCompleteCallback(std::function<void()> callback) { m_onComplete = std::move(callback); }

    cTextButton* getOkButton() const { return m_okButton; }
    cEditBox* getNameEdit() const { return m_nameEdit; }
    const std::set<cLabel*>& getTexts() const { return m_texts; }

    bool acceptNameChar(wchar_t character) const;
    void onNewUserNameChanged();
    // Nothing without a name.
    void onNewUserOk();

private:
    static void okClicked(cButton* button);
    static void enterKey(void* dialog);

    cTextButton* m_okButton;
    cEditBox* m_nameEdit;
    // The layout's "PodlogkaPodImia" is a layer of "Background" here; this slot stays empty.
    cPanel* m_backing = nullptr;
    std::function<void()> m_onComplete;
    std::set<cLabel*> m_texts;
    cInputHooks m_keys;
};

cNewUserDialog* getNewUserDialog();

} // namespace Engine
