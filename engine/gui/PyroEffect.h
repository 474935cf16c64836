#pragma once

// The particle-effect widget: a sprite whose position is the emitter's. It plays one instance
// of the first emitter of its effect file, advanced in steps of at most 0.05 s, for a life time
// after which it calls its finish callback and then loops, replaces itself by a fresh copy or
// deletes itself. Effect files are loaded once and shared by every widget.

#include "engine/gui/Sprite.h"
#include "engine/media/ParticleDrawRecord.h"

#include <map>
#include <string>

namespace Engine {

class IParticleEffectInstance;
class IParticleFile;

class cPyroEffect : public cSprite {
public:
    using tFinishCallback = void (*)(void* data);

    // Steps the library is advanced by, at most.
    static constexpr float MAX_STEP = 0.05f;

    // Loads the layout's root element when the path is not empty.
    cPyroEffect(cWidget* parent, const std::string& layoutPath);
    // A root copy with a new instance from the shared file, idle; shown when the template is.
    cPyroEffect(const cPyroEffect& other);
    ~cPyroEffect() override;

    int getKind() const override { return WIDGET_KIND_PYRO; }
    void process() override;
    // The sprite's keys, then "pyro_file", "LiveTime", "TimeDelta", "Loop", "StartDelay",
    // "Recreate", "PyroScale". A second load replaces the first one's instance.
    void loadXML(const IXmlNode* node) override;
    void startProcessing() override { cWidget::startProcessing(); }
    void stopProcessing() override { cWidget::stopProcessing(); }
    void setPosition(const cVector2& position) override;
    using cSprite::setPosition;
    // Hands the draw record to the graphics device while the effect plays.
    void draw() override;

    // Starts the effect; a life time of 0 takes "LiveTime", and 0 there plays for ever. The
    // callback is kept only when the widget deletes itself at the end of a limited life.
    void play(bool deleteWhenDone = false, float lifeTime = 0, tFinishCallback callback = nullptr,
              void* data = nullptr);
    void setOffset(const cVector2& offset) override;
    cParticleDrawRecord& getEmitPositionRef() { return m_drawRecord; }
    bool isPlaying() const { return isEnabled() && m_playing; }

    const std::string& getFileName() const { return m_fileName; }
    IParticleEffectInstance* getEffect() const { return m_effect; }
    float getPlayedTime() const { return m_playedTime; }
    float getRemaining() const { return m_remaining; }
    float getLiveTime() const { return m_liveTime; }
    float getTimeDelta() const { return m_timeDelta; }
    bool getLoop() const { return m_loop; }
    float getStartDelay() const { return m_startDelay; }
    bool getRecreate() const { return m_recreate; }
    float getPyroScale() const { return m_drawRecord.scale; }

    // Unprepares and destroys every shared file through the library and empties the table.
    static void releaseAllFiles();
    static size_t getLoadedFileCount() { return files().size(); }

    // The makers of the "BackPyro" and "PyroEffects" layout groups: an effect under the parent,
    // loaded, started and, with "UseOffset", drawn at its loaded position as an offset.
    static cWidget* makeLayer(cWidget* parent, const IXmlNode* element);
    static cWidget* copyLayer(const cWidget& original, cWidget* parent);

private:
    static std::map<std::string, IParticleFile*>& files();
    static IParticleFile* getPyroFile(const std::string& path);
    void createEffect();
    void destroyEffect();
    void advance(float dt, bool force);

    std::string m_fileName;
    IParticleEffectInstance* m_effect = nullptr;
    tFinishCallback m_finishCallback = nullptr;
    void* m_finishData = nullptr;
    bool m_playing = false;
    float m_remaining = 0;
    float m_liveTime = 0;
    float m_timeDelta = 0;
    float m_pendingTime = 0;
    bool m_loop = false;
    float m_startDelay = 0;
    bool m_recreate = false;
    bool m_deleteWhenDone = false;
    float m_playTime = 0;
    float m_delayLeft = 0;
    // The draw record's emitter z and played time, which the batch does not read.
    float m_emitterZ = 0;
    float m_playedTime = 0;
    cParticleDrawRecord m_drawRecord;
};

} // namespace Engine
