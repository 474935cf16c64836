#pragma once

// A tween: a record of float values that move from a start to an end over a duration, shaped by
// an easing equation, and the abstract tween that owns one record and writes it into a target.
// A runner (cTweenSprite) advances the records and notifies the tweens.

#include <vector>

class cTweenSprite;

// One animated float: the target receives the eased value between start and end.
struct tTweenEntry {
    float* target = nullptr;
    float end = 0;
    float start = 0;
};

class cTweenValues {
public:
    // Running at once when the delay is not above 0.
    cTweenValues(float duration, int equation, int easeType, float delay);

    std::vector<tTweenEntry> entries;
    float duration;
    int equation;
    int easeType;
    float delay;
    bool started = false;
    // Within the delay while not running, then within the duration.
    float elapsed = 0;
    bool running;
};

// Restarts the record from its targets' present values.
void resetTweenValues(cTweenValues& values);

class cTween {
public:
    cTween(float duration, int equation, int easeType, float delay, bool autoDelete);
    // Leaves its runner's lists when the runner still lives.
    virtual ~cTween();
    cTween(const cTween&) = delete;
    cTween& operator=(const cTween&) = delete;

    virtual void onStart(cTweenValues* record);
    virtual void onUpdate(cTweenValues* record);
    // For its own record: leaves the runner's tween list and, with auto-delete, deletes itself
    // (after leaving the list, so that the runner never holds a freed tween). True when the
    // record was its own.
    virtual bool onFinish(cTweenValues* record);
    // Append entries that move the present values to the end, or back to the start.
    virtual void toEnd() = 0;
    virtual void toStart() = 0;
    // Writes the current values into the target.
    virtual void apply() = 0;

    // toEnd, then hands the record and the tween to the runner.
    void start(cTweenSprite* runner);

    cTweenValues& getValues() { return m_values; }
    cTweenSprite* getRunner() const { return m_runner; }
    void setRunner(cTweenSprite* runner) { m_runner = runner; }
    bool isAutoDelete() const { return m_autoDelete; }

protected:
    cTweenValues m_values;
    cTweenSprite* m_runner = nullptr;
    bool m_autoDelete;
};
