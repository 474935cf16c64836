#include "game/level/field/AchievementsView.h"

#include "engine/core/FrameTimer.h"
#include "engine/core/LayoutReader.h"
#include "engine/core/ResourceManager.h"
#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/Label.h"
#include "engine/gui/LayoutFile.h"
#include "engine/gui/MultilineText.h"
#include "engine/gui/TextButton.h"
#include "engine/media/GraphicsDevice.h"
#include "engine/media/Texture.h"
#include "engine/platform/KeyCodes.h"
#include "game/level/LevelFunctions.h"
#include "game/level/MeadowView.h"
#include "game/level/field/FlyingValue.h"
#include "game/model/GameServices.h"
#include "game/model/GameSoundsLink.h"
#include "game/model/LevelAchievements.h"
#include "game/model/MeadowModel.h"
#include "game/shell/RandomFloat.h"
#include "game/shell/SubstrateProgressBar.h"

#include <cmath>

using namespace Engine;

namespace {

const int MONEY_LINE_ID = 3;
const uint32_t TEXT_RIGHT = 2;

void playGameSound(const std::string& id) {
    if (IGameSounds* sounds = GameServices::getGameSounds())
        sounds->play(id);
}

} // namespace

// ---- The line ----

cAchievementLine::cAchievementLine(cWidget* parent) : cBouncingSprite(parent), m_text(new cMultilineText(this)) {}

cAchievementLine::cAchievementLine(const cAchievementLine& other)
    : cBouncingSprite(other), m_text(new cMultilineText(*other.m_text)), m_textOffset(other.m_textOffset),
      m_showTime(other.m_showTime) {
    m_text->setParent(this);
}

cAchievementLine::~cAchievementLine() = default;

void cAchievementLine::loadXML(const IXmlNode* node) {
    cBouncingSprite::loadXML(node);
    IXmlNode* element = nullptr;
    if (node->findNode("AchievementText", element))
        m_text->loadXML(element);
    m_textOffset = m_text->getPosition();
    cLayoutReader::readFloat(node, L"show_time", m_showTime);
}

void cAchievementLine::start(const cVector2&, const cVector2& to) {
    m_text->setPosition(to + m_textOffset);
    m_valuePending = false;
    onFirstLanding();
    m_text->setAlpha(0);
    m_timer = m_showTime;
    if (m_text->getAlign() == TEXT_RIGHT)
        m_text->setPosition(m_text->getPosition() + cVector2(m_text->getSize().x, 0.0f));
}

void cAchievementLine::process() {
    cBouncingSprite::process();
    if (m_timer <= 0)
        return;
    m_timer -= frameDelta();
    if (m_timer <= 0) {
        m_timer = 0;
        m_text->setAlpha(1);
    } else {
        m_text->setAlpha(1 - m_timer / m_showTime);
    }
}

void cAchievementLine::onFirstLanding() {
    auto* view = dynamic_cast<cAchievementsView*>(getParent());
    if (!view)
        return;
    if (const cLevelAchievement* record = view->getRecord(m_index))
        view->createValue(*record, m_index);
}

void cAchievementLine::reset() {
    if (m_valuePending) {
        m_valuePending = false;
        onFirstLanding();
    }
    m_timer = 0;
    m_text->setAlpha(1);
}

// ---- The view ----

cAchievementsView::cAchievementsView(cWidget* parent, cMeadowModel* model) : cEffectDialog(parent), m_model(model) {
    m_caption = new cMultilineText(this);
    m_replayButton = new cTextButton(this);
    m_continueButton = new cTextButton(this);
    m_lineProto = new cAchievementLine(this);
    m_valueProto = new cFlyingValue(this);
    m_progress = new cSubstrateProgressBar(this, false);
    m_levelPercents = new cLabel(this);
    m_progressText = new cLabel(this);
    loadLayoutFile(*this, "Meadow/View/AchievementsView.xml");
    m_replayButton->setClickCallback(onReplayClicked);
    m_replayButton->disable();
    m_continueButton->setClickCallback(onContinueClicked);
    m_continueButton->disable();
}

cAchievementsView::~cAchievementsView() {
    hide();
    disable();
    m_skipHooks.removeAll();
    m_continueHooks.removeAll();
}

void cAchievementsView::loadXML(const IXmlNode* node) {
    cEffectDialog::loadXML(node);
    cLayoutReader::readFloat(node, L"start_time", m_startTime);
    cLayoutReader::readFloat(node, L"drop_delay_time", m_dropDelayTime);
    cLayoutReader::readVector(node, L"line_src_pos", m_lineSourcePos);
    cLayoutReader::readVector(node, L"first_line_pos", m_firstLinePos);
    cLayoutReader::readVector(node, L"lines_offset", m_linesOffset);
    cLayoutReader::readFloat(node, L"number_x_pos", m_numberX);
    cLayoutReader::readFloat(node, L"money_line_multiplier", m_moneyLineMultiplier);
    const std::wstring color = node->getAttribute(L"money_line_color");
    if (!color.empty()) {
        const std::string text = wideToNarrow(color);
        try {
            const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
            m_moneyLineColor = uint32_t(std::stoul(hex ? text.substr(2) : text, nullptr, hex ? 16 : 10));
        } catch (const std::exception&) {
            // An unreadable colour keeps the default, as every other key does.
        }
    }
    cLayoutReader::readFloat(node, L"stop_game_music_time", m_stopGameMusicTime);
    cLayoutReader::readFloat(node, L"fade_change_time", m_fadeChangeTime);
    cLayoutReader::readFloat(node, L"fade_percent", m_fadePercent);
    cLayoutReader::readFloat(node, L"screen_margin", m_screenMargin);
    cLayoutReader::readFloat(node, L"shake_amp", m_shakeAmp);
    float period = 0;
    if (cLayoutReader::readDivisor(node, L"shake_period", period))
        m_shakeOmega = float(2 * M_PI) / period;
    cLayoutReader::readFloat(node, L"shake_phase", m_shakePhase);
    cLayoutReader::readFloat(node, L"shake_time", m_shakeTime);
    cLayoutReader::readFloat(node, L"shake_fading", m_shakeFading);
    node->getValue("NothingString", m_nothingString);
    const std::wstring texture = node->getAttribute(L"SummaryTexture");
    if (!texture.empty())
        m_summaryTexture = wideToNarrow(texture);
    const std::wstring font = node->getAttribute(L"SummaryFont");
    if (!font.empty())
        m_summaryFont = wideToNarrow(font);
    // Loaded now so the money line does not wait for its letters.
    if (!m_summaryTexture.empty())
        if (cTexture* letters = getResourceManager()->getTexture(m_summaryTexture))
            letters->decRef();

    const std::pair<const char*, cWidget*> children[] = {{"Caption", m_caption},
                                                         {"ReplayBtn", m_replayButton},
                                                         {"ContinueBtn", m_continueButton},
                                                         {"LevelPercents", m_levelPercents},
                                                         {"ProgressText", m_progressText},
                                                         {"Progress", m_progress}};
    for (const auto& child : children) {
        IXmlNode* element = nullptr;
        if (node->findNode(child.first, element))
            child.second->loadXML(element);
    }
    if (m_model)
        m_progress->setMaximum(float(m_model->getLevelCount()));
    // The caption takes part in the flight from the place its layout gives it too.
    addEffectWidget(m_caption);
    addEffectWidget(m_replayButton);
    addEffectWidget(m_continueButton);
    addEffectWidget(m_progress);
    addEffectWidget(m_levelPercents);
    addEffectWidget(m_progressText);
    if (m_progress->getSubstrate())
        m_progress->getSubstrate()->hide();
    m_progressText->hide();
    IXmlNode* element = nullptr;
    if (node->findNode("AchivementLineProto", element))
        m_lineProto->loadXML(element);
    m_lineProto->hide();
    element = nullptr;
    if (node->findNode("ValueTextProto", element))
        m_valueProto->loadXML(element);
    m_valueProto->hide();
}

void cAchievementsView::startProcessing() {
    cEffectDialog::startProcessing();
    playGameSound("on_achievements");
    m_choiceTaken = false;
    m_achievements = m_model ? m_model->getLevelAchievements() : nullptr;
    if (m_achievements && !m_achievements->getAchievements().empty()) {
        m_startTimer = m_startTime;
        m_phase = PHASE_WAITING;
    }
    clearLines();
}

void cAchievementsView::stopProcessing() {
    cEffectDialog::stopProcessing();
    m_continueHooks.removeAll();
    m_skipHooks.removeAll();
}

const cLevelAchievement* cAchievementsView::getRecord(int index) const {
    if (!m_achievements || index < 0 || size_t(index) >= m_achievements->getAchievements().size())
        return nullptr;
    return &m_achievements->getAchievements()[size_t(index)];
}

void cAchievementsView::process() {
    cEffectDialog::process();
    const float dt = frameDelta();
    if (m_phase == PHASE_WAITING) {
        if (m_startTimer > 0) {
            m_startTimer -= dt;
        } else {
            m_dropTimer = 0;
            m_phase = PHASE_DROPPING;
            m_nextIndex = 0;
            if (m_model->isRandomLevel()) {
                m_levelPercents->setText(L"100%");
                m_progress->setValue(float(m_model->getLevelCount()));
            } else {
                m_levelPercents->setText(std::to_wstring(m_model->getNextLevelNumber()) + L"%");
                m_progress->setValue(float(m_model->getCurrentLevel()));
            }
            if (m_progress->getSubstrate())
                m_progress->getSubstrate()->show();
            m_progressText->show();
            m_skipHooks.removeAll();
            m_skipHooks.addKey(INPUT_MOUSE_LEFT_DOWN, onSkipInput, this);
        }
    }
    if (m_phase == PHASE_DROPPING) {
        if (m_dropTimer > 0) {
            m_dropTimer -= dt;
        } else {
            const auto& records = m_achievements->getAchievements();
            size_t i = m_nextIndex;
            while (i < records.size() && !records[i].show)
                ++i;
            if (i >= records.size()) {
                finishAnimation();
            } else {
                createLine(records[i], int(i));
                m_nextIndex = uint32_t(i + 1);
                if (m_nextIndex < records.size())
                    m_dropTimer = m_dropDelayTime;
                else
                    finishAnimation();
            }
        }
    }
    if (m_shaking) {
        m_shakeElapsed += dt;
        if (m_shakeElapsed > m_shakeTime) {
            m_shaking = false;
            resetEffectWidgets();
        } else {
            stepShake(dt);
        }
    }
}

void cAchievementsView::stepShake(float) {
    const float t = m_shakeElapsed;
    const float amplitude = m_shakeAmp * std::exp(-m_shakeFading * t);
    cVector2 offset(amplitude * std::sin(m_shakeOmega * t + m_shakePhase), 0.0f);
    offset.rotate(-m_shakeAngle);
    for (const sEffectRecord& record : m_effectWidgets)
        record.widget->setPosition(record.homePosition + offset);
}

cAchievementLine* cAchievementsView::createLine(const cLevelAchievement& record, int index) {
    auto* line = new cAchievementLine(*m_lineProto);
    line->setParent(this);
    line->getText()->setText(record.name);
    if (record.id == MONEY_LINE_ID) {
        line->getText()->setMultiplier(m_moneyLineMultiplier);
        line->getText()->setTextColor(m_moneyLineColor);
        line->setIndex(index);
        if (!m_summaryTexture.empty())
            line->getText()->setTexture(m_summaryTexture);
        if (!m_summaryFont.empty())
            line->getText()->setFont(m_summaryFont);
        line->show();
        line->getText()->setAlign(TEXT_RIGHT);
    } else {
        line->setIndex(index);
        line->show();
    }
    const cVector2 destination(m_firstLinePos.x + float(index) * m_linesOffset.x,
                               m_firstLinePos.y + float(index) * m_linesOffset.y);
    line->start(m_lineSourcePos, destination);
    const float u = randomFloat(-1, 1);
    const float v = randomFloat(-1, 1);
    m_shakeElapsed = 0;
    m_shaking = true;
    m_shakeAngle = float(getVectorAngle(u, v) * 180 / M_PI);
    m_lines.push_back(line);
    return line;
}

cFlyingValue* cAchievementsView::createValue(const cLevelAchievement& record, int index) {
    auto* value = new cFlyingValue(*m_valueProto);
    value->setParent(this);
    value->setIndex(index);
    float width = 1024;
    float height = 768;
    if (IGraphicsDevice* graphics = getGraphicsDevice()) {
        width = float(graphics->getScreenWidth());
        height = float(graphics->getScreenHeight());
    }
    const float side = randomFloat(0, 100);
    cVector2 source;
    if (side < 25)
        source = cVector2(randomFloat(0, width), -m_screenMargin);
    else if (side < 50)
        source = cVector2(width + m_screenMargin, randomFloat(0, height));
    else if (side < 75)
        source = cVector2(randomFloat(0, width), height + m_screenMargin);
    else
        source = cVector2(-m_screenMargin, randomFloat(0, height));
    value->setSource(source);
    value->setDestination(cVector2(m_numberX, m_firstLinePos.y + float(index) * m_linesOffset.y));
    value->setText(record.value == 0 ? m_nothingString : std::to_wstring(record.value));
    if (record.id == MONEY_LINE_ID)
        value->setOwnMultiplier(m_moneyLineMultiplier);
    value->show();
    value->launch();
    m_values.push_back(value);
    return value;
}

void cAchievementsView::skipAnimation() {
    for (cAchievementLine* line : m_lines)
        line->reset();
    if (m_achievements) {
        const auto& records = m_achievements->getAchievements();
        for (; m_nextIndex < records.size(); ++m_nextIndex)
            if (records[m_nextIndex].show)
                createLine(records[m_nextIndex], int(m_nextIndex))->reset();
    }
    for (cFlyingValue* value : m_values)
        value->reset();
    finishAnimation();
}

void cAchievementsView::finishAnimation() {
    m_phase = PHASE_IDLE;
    m_skipHooks.removeAll();
    listenForContinue();
    m_replayButton->enable();
    m_continueButton->enable();
}

void cAchievementsView::listenForContinue() {
    m_continueHooks.removeAll();
    m_continueHooks.addKey(Platform::KEY_ESCAPE, onContinueKey, this);
    m_continueHooks.addKey(Platform::KEY_ENTER, onContinueKey, this);
}

void cAchievementsView::clearLines() {
    if (m_progress->getSubstrate())
        m_progress->getSubstrate()->hide();
    m_progressText->hide();
    for (cAchievementLine* line : m_lines) {
        line->hide();
        deleteWidgetLater(line);
    }
    m_lines.clear();
    for (cFlyingValue* value : m_values) {
        value->hide();
        deleteWidgetLater(value);
    }
    m_values.clear();
}

bool cAchievementsView::takeChoice() {
    if (m_choiceTaken)
        return false;
    m_choiceTaken = true;
    m_continueHooks.removeAll();
    m_skipHooks.removeAll();
    // A second click while the view fades out must not replay or leave twice.
    m_replayButton->disable();
    m_continueButton->disable();
    return true;
}

void cAchievementsView::onContinue() {
    if (!takeChoice())
        return;
    clearLines();
    fadeOut();
    if (m_board)
        m_board->continueFromResults();
}

void cAchievementsView::onReplay() {
    if (!takeChoice())
        return;
    clearLines();
    fadeOut();
    if (m_board)
        m_board->replayFromResults();
}

void cAchievementsView::onReplayClicked(cButton* button) {
    if (auto* view = dynamic_cast<cAchievementsView*>(button->getParent()))
        view->onReplay();
}

void cAchievementsView::onContinueClicked(cButton* button) {
    if (auto* view = dynamic_cast<cAchievementsView*>(button->getParent()))
        view->onContinue();
}

void cAchievementsView::onSkipInput(void* view) {
    static_cast<cAchievementsView*>(view)->skipAnimation();
}

void cAchievementsView::onContinueKey(void* view) {
    static_cast<cAchievementsView*>(view)->onContinue();
}
