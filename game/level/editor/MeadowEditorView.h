#pragma once

// The level editor: the board screen in a form that edits a level instead of playing it. It
// shows every cell of the board with the cell views' editor icons, the pieces by their level
// index ("index1".."index5"), and around the board the tools of
// "Meadow/View/MeadowEditorView.xml": cell types, locks, vehicle cells, gold prizes, triggers,
// piece indices, rows and columns, the level's piece and bonus types, the vehicles with their
// money and has-bonus flag, and the buttons that save the level, play it and go back. The
// controller's editor modes do the editing; the editor shows the result.

#include "engine/core/Vector2.h"
#include "engine/gui/Visual.h"
#include "game/level/MeadowView.h"
#include "game/model/LevelView.h"

#include <list>
#include <map>
#include <string>
#include <vector>

namespace Engine {
class cButton;
class cCheckBox;
class cLabel;
class cPanel;
class cTextButton;
class IXmlNode;
} // namespace Engine
class IEditorOwner;
class cEditorVehicleView;
class cTextEdit;

class cMeadowEditorView : public cMeadowView {
public:
    // Reads "Meadow/View/MeadowView.xml" (the board screen's), "Meadow/View/GameObjects.xml"
    // (the object buttons' looks) and "Meadow/View/MeadowEditorView.xml".
    cMeadowEditorView(IEditorOwner* owner, cMeadowModel* model, cMeadowController* controller);
    ~cMeadowEditorView() override;

    // The map's opening of the editor in one call (the map itself takes these steps through the
    // program's level screen): a new editor over the model and the controller, its level set up
    // (initLevel), the controller's level view, refreshed, faded in with its group, the board's
    // start of a level, and unlocked.
    static cMeadowEditorView* create(IEditorOwner* owner, cMeadowModel* model, cMeadowController* controller);

    void loadXML(const Engine::IXmlNode* node) override;

    // ---- The board screen's operations, in their editor form ----
    // The group fade alone: nothing falls, matches or ends on the edited board.
    void process() override;
    void initLevel(bool ignored) override;
    bool isEditorView() override { return true; }
    void close() override;
    void refresh() override;
    cMeadowObjectView* getGameObjectView(cMeadowObjectModel* piece) override;
    void createGameObjects();
    void updateVehicles() override;
    std::string getGameObjectVisualStateId(cMeadowObjectModel* piece) const;
    // Unlocks or locks the editing through the controller, whose link comes back to the board
    // screen's lock: the cells' editor input and the Esc key.
    void setInputLocked(bool locked) override;
    // Attaches or detaches the cells' editor input.
    void lockCells(bool locked);
    // The controller's link to this screen; none once closed.
    ILevelView* getLevelView() override { return isClosed() ? nullptr : &m_link; }
    // The editor is not a screen the switcher fades: it fades in over the map.
    cScreen* getScreen() override { return nullptr; }

    const Engine::cVisual& getEditorObjectVisualState(int type) const;
    void loadEditorObjectStates(const Engine::IXmlNode* root);
    // A look of the editor's own table ("EditorStates") or else of the owner's.
    const Engine::cVisual& getEditorLook(const std::string& id) const;
    void createTriggerButtons();
    void clearTriggerButtons();
    void decRows();
    void decColumns();
    void incRows();
    void incColumns();

    // ---- Vehicles, validation and saving ----
    void createVehicleView();
    void clearVehicleViews();
    void selectVehicleView(cEditorVehicleView* view, bool shift, bool ctrl, bool right);
    // The checks and the write; false when a message was shown and nothing was written.
    bool validateLevel();
    bool checkVehicleCells(std::string& message);
    void save();
    void playTest();
    void back();
    void incVehicles();
    void decVehicles();
    void onMoneyChanged();
    void onHasBonusChanged(bool checked);

    // Tool clicks by the button's value.
    void onCellTool(Engine::cTextButton* button);
    void onLockTool(Engine::cTextButton* button);
    void onIndexTool(Engine::cTextButton* button);
    void onTriggerTool(Engine::cTextButton* button);
    void onObjectTool(Engine::cTextButton* button);

    IEditorOwner* getOwner() const { return m_editorOwner; }
    Engine::cTextButton* getDecRowsButton() const { return m_decRowsButton; }
    Engine::cTextButton* getIncRowsButton() const { return m_incRowsButton; }
    Engine::cTextButton* getDecColumnsButton() const { return m_decColumnsButton; }
    Engine::cTextButton* getIncColumnsButton() const { return m_incColumnsButton; }
    Engine::cTextButton* getSaveButton() const { return m_saveButton; }
    Engine::cTextButton* getBackButton() const { return m_backButton; }
    Engine::cTextButton* getPlayButton() const { return m_playButton; }
    Engine::cTextButton* getIncVehiclesButton() const { return m_incVehiclesButton; }
    Engine::cTextButton* getDecVehiclesButton() const { return m_decVehiclesButton; }
    const std::vector<Engine::cTextButton*>& getCellButtons() const { return m_cellButtons; }
    const std::vector<Engine::cTextButton*>& getLockButtons() const { return m_lockButtons; }
    const std::vector<Engine::cTextButton*>& getObjectButtons() const { return m_objectButtons; }
    const std::vector<Engine::cTextButton*>& getIndexButtons() const { return m_indexButtons; }
    const std::vector<Engine::cTextButton*>& getTriggerButtons() const { return m_triggerButtons; }
    const std::list<cEditorVehicleView*>& getVehicleViews() const { return m_vehicleViews; }
    cEditorVehicleView* getSelectedVehicleView() const { return m_selectedVehicleView; }
    cTextEdit* getMoneyEdit() const { return m_moneyEdit; }
    cTextEdit* getBonusesAmountEdit() const { return m_bonusesAmountEdit; }
    Engine::cCheckBox* getHasBonusCheckBox() const { return m_hasBonusCheckBox; }
    Engine::cPanel* getEditorBack() const { return m_editorBack; }

    // Reads a decimal integer the way a stream reads an int; an empty or invalid text is 0.
    static int readNumber(const std::wstring& text);

private:
    // The controller's view of the editor.
    class cLink : public ILevelView {
    public:
        explicit cLink(cMeadowEditorView* editor) : m_editor(editor) {}
        void setInputLocked(bool locked) override { m_editor->cMeadowView::setInputLocked(locked); }
        void refresh() override { m_editor->refresh(); }
        void updateSelection() override {}
        void showMatchedFigures(const tFigureList&, bool) override {}
        void animateExchange(IPieceView*, IPieceView*) override {}
        void animateSwapBack(IPieceView*, IPieceView*) override {}
        void crashCell(const Engine::cVector2&, IBonusEffect*) override {}
        void startObjectMotions() override {}
        IPieceView* getGameObjectView(cMeadowObjectModel* piece) override;
        void showHint(const Engine::cVector2&, const Engine::cVector2&) override {}
        void hideHint() override {}
        void updateVehicles() override { m_editor->updateVehicles(); }
        bool isFieldBusy() override { return false; }
        void finishLevel() override {}
        void resumeMusic() override {}
        bool isShown() override;
        bool isEnabled() override;
        IBonusEffect* createBonusEffect(int) override { return nullptr; }
        void deleteBonusEffect(IBonusEffect*) override {}

    private:
        cMeadowEditorView* m_editor;
    };

    Engine::cTextButton* newButton(const Engine::IXmlNode* root, const char* name, void (*click)(Engine::cButton*));
    void readButtonList(const Engine::IXmlNode* root, const wchar_t* posKey, const wchar_t* offsetKey,
                        const char* listName, std::vector<Engine::cTextButton*>& buttons,
                        void (*click)(Engine::cButton*), int iconKind);
    void rebuildCells();
    void showMessage(const std::string& text, const std::string& caption);

    IEditorOwner* m_editorOwner;
    cLink m_link{this};
    cMeadowFieldView* m_ownField = nullptr;

    Engine::cTextButton* m_editButtonProto = nullptr;
    Engine::cTextButton* m_decRowsButton = nullptr;
    Engine::cTextButton* m_incRowsButton = nullptr;
    Engine::cTextButton* m_decColumnsButton = nullptr;
    Engine::cTextButton* m_incColumnsButton = nullptr;
    Engine::cTextButton* m_saveButton = nullptr;
    Engine::cTextButton* m_backButton = nullptr;
    Engine::cTextButton* m_playButton = nullptr;
    std::vector<Engine::cTextButton*> m_cellButtons;
    std::vector<Engine::cTextButton*> m_lockButtons;
    std::vector<Engine::cTextButton*> m_objectButtons;
    std::list<cEditorVehicleView*> m_vehicleViews;
    cEditorVehicleView* m_selectedVehicleView = nullptr;
    Engine::cVector2 m_lastVehiclePos;
    Engine::cVector2 m_vehiclesDistance;
    Engine::cTextButton* m_incVehiclesButton = nullptr;
    Engine::cTextButton* m_decVehiclesButton = nullptr;
    Engine::cLabel* m_moneyLabel = nullptr;
    cTextEdit* m_moneyEdit = nullptr;
    Engine::cLabel* m_timeText = nullptr;
    Engine::cLabel* m_bonusesAmountLabel = nullptr;
    cTextEdit* m_bonusesAmountEdit = nullptr;
    std::vector<Engine::cTextButton*> m_indexButtons;
    Engine::cCheckBox* m_hasBonusCheckBox = nullptr;
    Engine::cPanel* m_editorBack = nullptr;
    Engine::cPanel* m_iconProto = nullptr;
    std::vector<Engine::cTextButton*> m_triggerButtons;
    Engine::cVector2 m_firstTriggerButtonPos;
    Engine::cVector2 m_triggerButtonOffset;
    std::map<std::string, Engine::cVisual> m_editorStates;
    std::map<std::string, Engine::cVisual> m_editorLooks;
    std::map<cMeadowObjectModel*, cMeadowObjectView*> m_editorObjectViews;
};
