#pragma once

// The player dialog, laid out by "UI/SelectUser.xml": the list of players, a name edit box and
// OK, Exit, Delete and Cancel. Choosing a row makes that player current at once; a name not in
// the list turns OK into "create"; Delete asks in a yes/no dialog first; OK makes the typed name
// current and fades the dialog out. One at a time.

#include "engine/core/Singleton.h"
#include "engine/gui/Background.h"
#include "engine/gui/Button.h"
#include "engine/gui/InputHooks.h"

#include <functional>
#include <string>

namespace Engine {

class cEditBox;
class cLabel;
class cListBox;
class cPanel;
class cTextButton;
class cYesNoDialog;

class cSelectUserDialog : public cSingleton<cSelectUserDialog>, public cBackground {
public:
    using tHook = std::function<void(cSelectUserDialog* dialog)>;

    // A second dialog while one exists throws "Object already exist.". With loadNow the layout is
    // read at once; with hideExit the Exit button stays hidden.
    cSelectUserDialog(bool hideExit, bool loadNow);
    ~cSelectUserDialog() override;

    virtual void reloadLayout();
    // The rows again from the profile manager's names.
    virtual void refillUserList();

    void process() override;
    // The layers, "StringOK", "StringNew", "StringConfirm", then the named children.
    void loadXML(const IXmlNode* node) override;
    void startProcessing() override;
    void stopProcessing() override;

    // Called after OK; after Exit or Cancel.
    void setOkCallback(tHook hook) { m_onOk = std::move(hook); }
    void setExitCallback(tHook hook) { m_onExit = std::move(hook); }

    // Whether some row shows exactly that name.
    bool nameExists(const std::wstring& name) const;

    void onSelectNameEdited();
    void onUserSelected(int row);
    void onSelectOk();
    void onSelectCancel();
    void onSelectExit();
    void onDeleteClicked();
    void onDeleteConfirmed(cYesNoDialog* question);
    void onDeleteRefused(cYesNoDialog* question);

    cListBox* getUserList() const { return m_userList; }
    cEditBox* getNameEdit() const { return m_nameEdit; }
    cTextButton* getOkButton() const { return m_okButton; }
    cTextButton* getExitButton() const { return m_exitButton; }
    cTextButton* getDeleteButton() const { return m_deleteButton; }
    cTextButton* getCancelButton() const { return m_cancelButton; }
    cPanel* getBackground() const { return m_background; }
    cPanel* getBigLogo() const { return m_bigLogo; }
    cPanel* getBacking() const { return m_backing; }
    cLabel* getEnterNameText() const { return m_enterNameText; }
    int getSelectedRow() const { return m_selectedRow; }
    const std::wstring& getStringOk() const { return m_stringOk; }
    const std::wstring& getStringNew() const { return m_stringNew; }
    const std::wstring& getStringConfirm() const { return m_stringConfirm; }

private:
    static void deleteClicked(cButton* button);
    static void okClicked(cButton* button);
    static void exitClicked(cButton* button);
    static void cancelClicked(cButton* button);
    static void rowSelected(int row, cListBox* list);
    static void enterKey(void* dialog);
    static void escapeKey(void* dialog);
    // Fades out after Exit or Cancel.
    void leave();

    cListBox* m_userList;
    cEditBox* m_nameEdit;
    cTextButton* m_okButton;
    cTextButton* m_exitButton;
    cTextButton* m_deleteButton;
    cTextButton* m_cancelButton;
    cPanel* m_background;
    cPanel* m_bigLogo;
    cPanel* m_backing;
    cLabel* m_enterNameText;
    bool m_hideExit;
    int m_selectedRow = -1;
    tHook m_onOk;
    tHook m_onExit;
    std::wstring m_stringOk;
    std::wstring m_stringNew;
    std::wstring m_stringConfirm;
    bool m_ready = false;
    cInputHooks m_keys;
};

cSelectUserDialog* getSelectUserDialog();

} // namespace Engine
