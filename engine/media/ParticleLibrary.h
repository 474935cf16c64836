#pragma once

// The particle library as the engine uses it: effect files loaded from a library file stream,
// prepared and unprepared, their emitters by index, effect instances made for an emitter's
// identifier and advanced by a time call and an update call, drawn only through the particle
// graphics device. cParticleLibrary is our implementation over our own effect format.

#include "engine/media/ParticleDrawRecord.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace Engine {

class IPyroFileStream;
class IPyroGraphicsDevice;
class IPyroTexture;
class IPyroVertexBuffer;
class cParticleEffectFile;
struct cParticleFileData;
struct cParticleVertex;

class IParticleEmitter {
public:
    virtual ~IParticleEmitter() = default;
    virtual uint32_t getId() const = 0;
};

class IParticleFile {
public:
    virtual ~IParticleFile() = default;
    // Makes the file's device objects (textures); unprepare releases them.
    virtual void prepare() = 0;
    virtual void unprepare() = 0;
    virtual size_t getEmitterCount() const = 0;
    // Null past the count.
    virtual IParticleEmitter* getEmitter(size_t index) = 0;
};

class IParticleEffectInstance : public IParticleEffect {
public:
    // Ages and moves the live particles by step seconds.
    virtual void advanceTime(float time, float step) = 0;
    // Moves the emitter to (x, y, z) and, when emit is not 0, emits what falls due in
    // [time, time + step). A time earlier than the last one starts the emission schedule again.
    virtual void update(float time, float step, float x, float y, float z, int emit) = 0;
};

class IParticleLibrary {
public:
    virtual ~IParticleLibrary() = default;
    // Reads a whole effect file. A file that is not in our format gives a file with one empty
    // emitter (its effects draw nothing), logged once with the name.
    virtual IParticleFile* loadFile(IPyroFileStream& stream, const std::string& name) = 0;
    // Unprepares and deletes a file of this library; the library deletes those left at its end.
    virtual void destroyFile(IParticleFile* file) = 0;
    // Null for an identifier that names no emitter of a live file.
    virtual IParticleEffectInstance* createEffect(uint32_t emitterId) = 0;
    virtual void destroyEffect(IParticleEffectInstance* effect) = 0;
    // Quads one layer of an effect may hold.
    virtual uint32_t getQuadCapacity() const = 0;
    // The device effects draw through (not owned); null draws nothing.
    virtual void setGraphicsDevice(IPyroGraphicsDevice* device) = 0;
    // Effects rendered between the two calls may be drawn together at endBatch, in the order
    // they were rendered; the device's state is the library's own until then.
    virtual void beginBatch() {}
    virtual void endBatch() {}
};

// What releases the effect files shared by the effect widgets: the graphics device calls it
// before it ends the particle library (the widget layer sets it). Null: nothing to release.
void setParticleFilesRelease(std::function<void()> release);
void releaseParticleFiles();

class cParticleLibrary : public IParticleLibrary {
public:
    static constexpr uint32_t QUAD_CAPACITY = 16384;
    // Bytes an effect file may have.
    static constexpr int32_t MAX_FILE_BYTES = 64 << 20;

    cParticleLibrary();
    ~cParticleLibrary() override;

    // Throws CPyroException when a layer of the file holds more particles than the capacity.
    IParticleFile* loadFile(IPyroFileStream& stream, const std::string& name) override;
    void destroyFile(IParticleFile* file) override;
    IParticleEffectInstance* createEffect(uint32_t emitterId) override;
    void destroyEffect(IParticleEffectInstance* effect) override;
    uint32_t getQuadCapacity() const override { return QUAD_CAPACITY; }
    void setGraphicsDevice(IPyroGraphicsDevice* device) override;
    // While a batch is open, effects whose textures all lie on the library's texture sheet add
    // their quads to one buffer: every layer with premultiplied colours under one blend (an
    // additive quad keeps alpha 0), so the whole run is one draw on one texture.
    void beginBatch() override;
    void endBatch() override;
    bool isBatching() const { return m_batching; }

    // Where a file's texture lies on the sheet, in texture coordinates.
    struct cSheetRegion {
        float u0 = 0, v0 = 0, u1 = 0, v1 = 0;
    };
    // The file's regions (one per texture, then a white one for untextured layers), the sheet
    // made first when needed; null when the file's textures are not all on the device (it draws
    // on its own then).
    const std::vector<cSheetRegion>* getSheetRegions(const cParticleFileData* data);
    // Adds quads (four vertices each) to the open batch.
    void addBatchQuads(const std::vector<cParticleVertex>& vertices);
    // Draws what the batch holds so far (an effect that draws on its own comes after it).
    void flushBatch();
    const IPyroTexture* getSheet() const { return m_sheet.get(); }

    IPyroGraphicsDevice* getGraphicsDevice() const { return m_device; }
    // Changes whenever the device does, so that instances make their buffers again.
    uint32_t getDeviceGeneration() const { return m_deviceGeneration; }
    // The seed the next instance gets; each instance takes the next one.
    void setNextSeed(uint32_t seed) { m_nextSeed = seed; }
    // A file from bytes in memory (tests, tools).
    IParticleFile* loadBytes(const uint8_t* bytes, size_t size, const std::string& name);

private:
    IPyroGraphicsDevice* m_device = nullptr;
    uint32_t m_deviceGeneration = 0;
    uint32_t m_nextEmitterId = 1;
    uint32_t m_nextSeed = 1;
    // Emitter identifier -> its file and index.
    std::map<uint32_t, std::pair<cParticleEffectFile*, size_t>> m_emitters;
    std::set<cParticleEffectFile*> m_files;
    // Names of the files already reported as not ours.
    std::set<std::string> m_reported;

    void makeSheet();
    void releaseSheet();

    bool m_batching = false;
    std::vector<cParticleVertex> m_batchVertices;
    std::unique_ptr<IPyroVertexBuffer> m_batchBuffer;
    uint32_t m_batchBufferQuads = 0;
    std::unique_ptr<IPyroTexture> m_sheet;
    bool m_sheetMade = false;
    std::map<const cParticleFileData*, std::vector<cSheetRegion>> m_regions;
};

} // namespace Engine
