#include "engine/gui/PyroEffect.h"

#include "engine/core/FileSystem.h"
#include "engine/core/FrameTimer.h"
#include "engine/core/LayoutReader.h"
#include "engine/core/ResourceManager.h"
#include "engine/core/String.h"
#include "engine/core/WidgetSets.h"
#include "engine/core/XmlNode.h"
#include "engine/gui/LayoutFile.h"
#include "engine/media/GraphicsDevice.h"
#include "engine/media/ParticleLibrary.h"
#include "engine/media/PyroFileStream.h"

#include <algorithm>

namespace Engine {

namespace {

IParticleLibrary* particleLibrary() {
    IGraphicsDevice* graphics = getGraphicsDevice();
    return graphics ? graphics->getParticleLibrary() : nullptr;
}

} // namespace

cPyroEffect::cPyroEffect(cWidget* parent, const std::string& layoutPath) : cSprite(parent) {
    if (layoutPath.empty())
        return;
    if (getResourceManager())
        loadLayoutFile(*this, layoutPath);
}

cPyroEffect::cPyroEffect(const cPyroEffect& other)
    : cSprite(other), m_fileName(other.m_fileName), m_liveTime(other.m_liveTime), m_timeDelta(other.m_timeDelta),
      m_loop(other.m_loop), m_startDelay(other.m_startDelay), m_recreate(other.m_recreate) {
    createEffect();
    if (m_effect) {
        m_drawRecord.x = other.m_drawRecord.x;
        m_drawRecord.y = other.m_drawRecord.y;
        m_emitterZ = other.m_emitterZ;
        m_drawRecord.offsetX = other.m_drawRecord.offsetX;
        m_drawRecord.offsetY = other.m_drawRecord.offsetY;
        m_drawRecord.z = other.m_drawRecord.z;
        m_drawRecord.scale = other.m_drawRecord.scale;
        m_drawRecord.effect = m_effect;
    }
    if (other.isVisible())
        show();
}

cPyroEffect::~cPyroEffect() {
    destroyEffect();
}

std::map<std::string, IParticleFile*>& cPyroEffect::files() {
    static std::map<std::string, IParticleFile*> table;
    return table;
}

IParticleFile* cPyroEffect::getPyroFile(const std::string& path) {
    auto found = files().find(path);
    if (found != files().end())
        return found->second;
    IParticleLibrary* library = particleLibrary();
    if (!library)
        return nullptr;
    IFileSystem* fileSystem = getFileSystem();
    if (!fileSystem)
        throw std::string("File \"" + path + "\" not found.");
    std::unique_ptr<IDataStream> stream = fileSystem->openRead(path);
    IParticleFile* file = nullptr;
    {
        cPyroFileStream libraryStream(stream.get());
        file = library->loadFile(libraryStream, path);
    }
    stream.reset();
    if (!file)
        return nullptr;
    file->prepare();
    files()[path] = file;
    // The graphics device asks for the files back before it ends the library.
    setParticleFilesRelease(&cPyroEffect::releaseAllFiles);
    return file;
}

void cPyroEffect::releaseAllFiles() {
    IParticleLibrary* library = particleLibrary();
    for (auto& entry : files()) {
        entry.second->unprepare();
        if (library)
            library->destroyFile(entry.second);
    }
    files().clear();
}

void cPyroEffect::createEffect() {
    IParticleFile* file = getPyroFile(m_fileName);
    // A second load frees the first one's instance; the record never keeps a freed one.
    destroyEffect();
    IParticleLibrary* library = particleLibrary();
    IParticleEmitter* emitter = file ? file->getEmitter(0) : nullptr;
    if (library && emitter)
        m_effect = library->createEffect(emitter->getId());
    if (!m_effect)
        m_playing = false;
}

void cPyroEffect::destroyEffect() {
    if (!m_effect)
        return;
    if (m_drawRecord.effect == m_effect)
        m_drawRecord.effect = nullptr;
    // Without the device the library is gone too: the instance cannot be freed safely.
    if (IParticleLibrary* library = particleLibrary())
        library->destroyEffect(m_effect);
    m_effect = nullptr;
}

void cPyroEffect::loadXML(const IXmlNode* node) {
    cSprite::loadXML(node);
    m_fileName.clear();
    parseString(m_fileName, node->getAttribute(L"pyro_file"));
    createEffect();
    if (!m_effect)
        return;
    m_drawRecord.x = m_position.x;
    m_drawRecord.y = m_position.y;
    m_drawRecord.dirty = true;
    cLayoutReader::readFloat(node, L"LiveTime", m_liveTime);
    cLayoutReader::readFloat(node, L"TimeDelta", m_timeDelta);
    parseBool(m_loop, node->getAttribute(L"Loop"));
    cLayoutReader::readFloat(node, L"StartDelay", m_startDelay);
    parseBool(m_recreate, node->getAttribute(L"Recreate"));
    cLayoutReader::readFloat(node, L"PyroScale", m_drawRecord.scale);
    m_drawRecord.effect = m_effect;
}

void cPyroEffect::play(bool deleteWhenDone, float lifeTime, tFinishCallback callback, void* data) {
    m_deleteWhenDone = deleteWhenDone;
    m_playTime = lifeTime;
    m_delayLeft = m_startDelay;
    if (m_effect) {
        m_playing = true;
        m_remaining = lifeTime > 0 ? lifeTime : (m_liveTime > 0 ? m_liveTime : 0.0f);
        m_playedTime = 0;
        m_drawRecord.dirty = true;
        m_pendingTime = 0;
    }
    if (deleteWhenDone && m_remaining > 0) {
        m_finishCallback = callback;
        m_finishData = data;
    }
}

void cPyroEffect::process() {
    cSprite::process();
    if (!m_playing)
        return;
    const float dt = frameDelta();
    if (m_delayLeft > 0) {
        m_delayLeft -= dt;
        return;
    }
    advance(dt, false);
    if (m_remaining <= 0)
        return;
    m_remaining -= dt;
    if (m_remaining > 0)
        return;
    m_remaining = 0;
    if (m_pendingTime > 0)
        advance(m_pendingTime, true);
    m_playing = false;
    if (m_finishCallback) {
        m_finishCallback(m_finishData);
        // The callback may have deleted the widget.
        if (!isWidgetAlive(this))
            return;
    }
    if (m_loop) {
        play(false, m_playTime, m_finishCallback, m_finishData);
    } else if (m_recreate) {
        auto* copy = new cPyroEffect(*this);
        copy->play(false, m_playTime, m_finishCallback, m_finishData);
        // The copy takes this widget's place, so that it goes with its screen.
        if (m_parent)
            m_parent->replaceChild(this, copy);
        deleteWidgetLater(this);
    } else if (m_deleteWhenDone) {
        deleteWidgetLater(this);
    }
}

void cPyroEffect::advance(float dt, bool force) {
    m_pendingTime += dt;
    if (!force && m_pendingTime < m_timeDelta)
        return;
    if (m_effect) {
        float t0 = m_playedTime;
        float left = m_pendingTime;
        while (left > 0) {
            const float step = std::min(left, MAX_STEP);
            m_effect->advanceTime(t0, step);
            m_effect->update(t0, step, m_drawRecord.x, m_drawRecord.y, m_emitterZ, 1);
            t0 += step;
            left -= step;
        }
    }
    m_playedTime += m_pendingTime;
    m_pendingTime = 0;
}

void cPyroEffect::setPosition(const cVector2& position) {
    cSprite::setPosition(position);
    m_drawRecord.x = position.x;
    m_drawRecord.y = position.y;
    m_drawRecord.dirty = true;
}

void cPyroEffect::setOffset(const cVector2& offset) {
    cSprite::setOffset(offset);
    m_drawRecord.offsetX = offset.x;
    m_drawRecord.offsetY = offset.y;
    m_drawRecord.dirty = true;
}

void cPyroEffect::draw() {
    if (!isPlaying() || !m_drawRecord.effect)
        return;
    if (IGraphicsDevice* graphics = getGraphicsDevice())
        graphics->drawPyroEffect(&m_drawRecord);
}

cWidget* cPyroEffect::makeLayer(cWidget* parent, const IXmlNode* element) {
    auto* effect = new cPyroEffect(parent, std::string());
    try {
        effect->loadXML(element);
    } catch (...) {
        delete effect;
        throw;
    }
    effect->play();
    bool useOffset = false;
    parseBool(useOffset, element->getAttribute(L"UseOffset"));
    if (useOffset) {
        effect->setOffset(effect->getPosition());
        effect->setPosition(cVector2(0, 0));
    }
    return effect;
}

cWidget* cPyroEffect::copyLayer(const cWidget& original, cWidget* parent) {
    if (original.getKind() != WIDGET_KIND_PYRO)
        return nullptr;
    auto* copy = new cPyroEffect(static_cast<const cPyroEffect&>(original));
    copy->setParent(parent);
    copy->play();
    return copy;
}

} // namespace Engine
