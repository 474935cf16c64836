#pragma once

// The results view over the board screen after a won level: after a pause it shows the game's
// progress, then drops the level's achievement lines one by one, each with its number, shaking
// the controls after every line; a left press shows the rest at once. Continue goes back to
// the map, Replay plays the level again.

#include "engine/core/Vector2.h"
#include "engine/gui/Button.h"
#include "engine/gui/InputHooks.h"
#include "game/level/field/BouncingSprite.h"
#include "game/shell/EffectDialog.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Engine {
class cLabel;
class cMultilineText;
class cTextButton;
} // namespace Engine
class cFlyingValue;
class cLevelAchievements;
struct cLevelAchievement;
class cMeadowModel;
class cMeadowView;
class cSubstrateProgressBar;

// One line of the results: its text fades in at its place, and its number comes with it.
class cAchievementLine : public cBouncingSprite {
public:
    explicit cAchievementLine(Engine::cWidget* parent);
    cAchievementLine(const cAchievementLine& other);
    ~cAchievementLine() override;

    void process() override;
    // The bouncing keys, "AchievementText" and "show_time".
    void loadXML(const Engine::IXmlNode* node) override;
    // The line stays where it is; its text is placed at the destination and fades in.
    void start(const Engine::cVector2& from, const Engine::cVector2& to) override;
    void onFirstLanding() override;
    // The text at full opacity at once, the number brought when it was not yet.
    void reset() override;

    virtual int& getIndex() { return m_index; }
    virtual void setIndex(const int& index) { m_index = index; }

    Engine::cMultilineText* getText() const { return m_text; }
    const Engine::cVector2& getTextOffset() const { return m_textOffset; }
    float getTimer() const { return m_timer; }

private:
    Engine::cMultilineText* m_text;
    Engine::cVector2 m_textOffset;
    int m_index = 0;
    float m_showTime = 0;
    float m_timer = 0;
    bool m_valuePending = false;
};

class cAchievementsView : public cEffectDialog {
public:
    enum ePhase {
        PHASE_IDLE = 0,
        PHASE_WAITING = 1,
        PHASE_DROPPING = 2,
    };

    // Reads "Meadow/View/AchievementsView.xml"; both buttons disabled.
    cAchievementsView(Engine::cWidget* parent, cMeadowModel* model);
    ~cAchievementsView() override;

    void process() override;
    void loadXML(const Engine::IXmlNode* node) override;
    // Plays "on_achievements" and starts the sequence anew.
    void startProcessing() override;
    void stopProcessing() override;

    cAchievementLine* createLine(const cLevelAchievement& record, int index);
    cFlyingValue* createValue(const cLevelAchievement& record, int index);
    void skipAnimation();
    void finishAnimation();
    void clearLines();
    // The player's choice; a second one before the next showing is ignored.
    void onContinue();
    void onReplay();

    void setBoard(cMeadowView* board) { m_board = board; }
    cMeadowView* getBoard() const { return m_board; }
    int getPhase() const { return m_phase; }
    Engine::cTextButton* getReplayButton() const { return m_replayButton; }
    Engine::cTextButton* getContinueButton() const { return m_continueButton; }
    Engine::cMultilineText* getCaption() const { return m_caption; }
    Engine::cLabel* getLevelPercents() const { return m_levelPercents; }
    // What the bar measures, shown with the bar.
    Engine::cLabel* getProgressText() const { return m_progressText; }
    cSubstrateProgressBar* getProgress() const { return m_progress; }
    cAchievementLine* getLineProto() const { return m_lineProto; }
    cFlyingValue* getValueProto() const { return m_valueProto; }
    const std::vector<cAchievementLine*>& getLines() const { return m_lines; }
    const std::vector<cFlyingValue*>& getValues() const { return m_values; }
    bool isShaking() const { return m_shaking; }
    const std::wstring& getNothingString() const { return m_nothingString; }
    const cLevelAchievement* getRecord(int index) const;

private:
    static void onReplayClicked(Engine::cButton* button);
    static void onContinueClicked(Engine::cButton* button);
    static void onSkipInput(void* view);
    static void onContinueKey(void* view);
    void listenForContinue();
    // Both buttons off and every callback removed; false when a choice was already taken.
    bool takeChoice();
    void stepShake(float dt);

    Engine::cTextButton* m_replayButton;
    Engine::cTextButton* m_continueButton;
    cMeadowView* m_board = nullptr;
    Engine::cMultilineText* m_caption;
    float m_startTime = 0;
    float m_startTimer = 0;
    int m_phase = PHASE_IDLE;
    float m_dropDelayTime = 0;
    float m_dropTimer = 0;
    const cLevelAchievements* m_achievements = nullptr;
    uint32_t m_nextIndex = 0;
    cAchievementLine* m_lineProto;
    Engine::cVector2 m_lineSourcePos;
    Engine::cVector2 m_firstLinePos;
    Engine::cVector2 m_linesOffset;
    float m_numberX = 0;
    cFlyingValue* m_valueProto;
    std::vector<cAchievementLine*> m_lines;
    std::vector<cFlyingValue*> m_values;
    float m_screenMargin = 0;
    float m_moneyLineMultiplier = 0;
    uint32_t m_moneyLineColor = 0;
    float m_stopGameMusicTime = 0;
    float m_fadeChangeTime = 0;
    float m_fadePercent = 0;
    bool m_shaking = false;
    float m_shakeTime = 0;
    float m_shakeElapsed = 0;
    float m_shakeAmp = 0;
    float m_shakeOmega = 0;
    float m_shakePhase = 0;
    float m_shakeFading = 0;
    float m_shakeAngle = 0;
    std::wstring m_nothingString;
    std::string m_summaryTexture;
    std::string m_summaryFont;
    cSubstrateProgressBar* m_progress;
    cMeadowModel* m_model;
    Engine::cLabel* m_levelPercents;
    Engine::cLabel* m_progressText;
    bool m_choiceTaken = false;
    Engine::cInputHooks m_skipHooks;
    Engine::cInputHooks m_continueHooks;
};
