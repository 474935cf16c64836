#pragma once

// The base of the game's framed dialogs: a fader whose registered widgets fly out of a common
// point and grow while it fades in, pulse once when it is in, and fly back and shrink while it
// fades out, with a sound at the start of each fade.

#include "engine/core/Vector2.h"
#include "engine/gui/Fader.h"

#include <vector>

namespace Engine {
class cSprite;
}

class cEffectDialog : public Engine::cFader {
public:
    struct sEffectRecord {
        Engine::cSprite* widget = nullptr;
        Engine::cVector2 homePosition;
        Engine::cVector2 homeSize;
        Engine::cVector2 speed;
    };

    explicit cEffectDialog(Engine::cWidget* parent);
    ~cEffectDialog() override;

    // The fader's step, then the pulse or the flight of the widgets.
    void process() override;
    // The fader's keys, "show_position", "scale_time", "scale_param", "BreakColumns",
    // "BreakRows"; then every child it has is registered.
    void loadXML(const Engine::IXmlNode* node) override;
    void fadeIn() override;
    void fadeOut() override;
    void fadeOutAndDelete() override;
    // The widgets at home; starts the pulse.
    void onFadedIn() override;
    // Ends a pulse; hides the dialog and waits with every widget at the show position, size 0.
    void onFadedOut() override;
    // A child that goes leaves the effects.
    void removeChild(Engine::cWidget* child) override;

    virtual void computeShowSpeeds();
    virtual void computeHideSpeeds();

    // Takes the widget's present geometry as its home and puts it at the show position, size 0.
    // A widget registered again only takes its new home: it keeps one record.
    void addEffectWidget(Engine::cWidget* widget);
    void resetEffectWidgets();
    // Moves the whole dialog: its widgets, their homes and the point they fly from.
    void moveBy(const Engine::cVector2& delta);

    const std::vector<sEffectRecord>& getEffectWidgets() const { return m_effectWidgets; }
    const Engine::cVector2& getShowPosition() const { return m_showPosition; }
    bool isPulseRunning() const { return m_pulseRunning; }
    float getScaleTime() const { return m_scaleTime; }
    float getScaleParam() const { return m_scaleParam; }
    unsigned getBreakColumns() const { return m_breakColumns; }
    unsigned getBreakRows() const { return m_breakRows; }

protected:
    std::vector<sEffectRecord> m_effectWidgets;
    Engine::cVector2 m_showPosition;
    bool m_pulseRunning = false;
    float m_pulseTime = 0;
    float m_scaleTime = 0;
    float m_scaleParam = 0;
    unsigned m_breakColumns = 0;
    unsigned m_breakRows = 0;

private:
    void playSound(const char* id);
};
