#pragma once

// The frame's batch: quads go straight into dynamic vertex and index buffers, meshes and
// particle effects are queued by reference, and consecutive draws that share their state
// become one record, drawn by one call at the end of the frame in the order they came; a record
// of quads joins an earlier one of its state when nothing drawn in between overlaps it.

#include "engine/core/Matrix4.h"
#include "engine/core/Vector2.h"
#include "engine/media/LightSet.h"
#include "engine/media/SpriteQuad.h"
#include "engine/platform/RenderDevice.h"

#include <cstdint>
#include <vector>

namespace Engine {

class IParticleLibrary;
class cTexture;
class cTextureFactory;
struct cMeshDrawRecord;
struct cParticleDrawRecord;

// Render-type flags of a draw.
enum eRenderType : uint32_t {
    RENDER_MODULATE = 0x1,        // destination colour x source colour + destination x source alpha
    RENDER_OPAQUE = 0x2,          // blending and alpha test off
    RENDER_STENCIL_MASK = 0x4,    // drawn into the stencil first
    RENDER_STENCIL_TEST = 0x8,    // drawn only where the stencil holds 1
    RENDER_LINEAR = 0x20,         // linear filtering
    RENDER_MODULATE_2 = 0x40,     // the same blend as RENDER_MODULATE
    RENDER_ANISOTROPIC = 0x80,    // anisotropic filtering
    RENDER_ALPHA_REF_160 = 0x100, // alpha reference 0xA0
    RENDER_TILED = 0x200,         // mirrored addressing
    RENDER_ALPHA_REF = 0x400,     // alpha reference of the draw
    RENDER_ADDITIVE = 0x800,      // source alpha, one
    RENDER_MULTIPLY = 0x1000      // zero, source colour
};

// Vertex of the batch buffers: position + diffuse + one texture pair.
struct cBatchVertex {
    float x, y, z;
    uint32_t color;
    float u, v;
};
constexpr uint32_t BATCH_VERTEX_FORMAT = Platform::FVF_XYZ | Platform::FVF_DIFFUSE | Platform::FVF_TEX1;

// One group of draws: quads over a range of the buffers, or one mesh, or one particle effect.
struct cBatchRecord {
    Platform::tTextureHandle texture = 0;
    uint32_t startIndex = 0;
    uint32_t triangleCount = 0;
    uint32_t vertexCount = 0;
    uint32_t renderType = 0;
    uint32_t baseVertex = 0;
    uint8_t alphaRef = 0;
    Platform::tShaderHandle vertexShader = 0;
    // The quads' shader constants: a range of the frame's constant list.
    uint32_t firstConstant = 0;
    uint32_t constantCount = 0;
    cMeshDrawRecord* mesh = nullptr;
    cParticleDrawRecord* particle = nullptr;

    bool holdsAnything() const { return triangleCount > 0 || mesh || particle; }
};

// What rendering needs of the graphics device.
struct cBatchFrame {
    bool wireframe = false;
    bool fullscreen = false;
    cVector2 fitScale{1, 1};
    cVector2 fitOffset;
    cMatrix4 screenTransform;
    cMatrix4 view;
    cMatrix4 shaderMatrix; // transpose of view x projection
    Platform::cMaterial defaultMaterial;
    const std::vector<cLightSet>* lightSets = nullptr;
    bool particleDeviceFresh = false;
    // Draws adjacent particle records as one batch; null: each on its own.
    IParticleLibrary* particles = nullptr;
};

class cSpriteBatch {
public:
    // Largest subdivision of a quad: its grid stays far below the 16-bit index range.
    static constexpr unsigned MAX_SUBDIVISION = 127;
    // Vertices one record may span, so that its 16-bit indices never overflow.
    static constexpr uint32_t MAX_RECORD_VERTICES = 65536;

    explicit cSpriteBatch(cTextureFactory& factory) : m_factory(factory) {}
    ~cSpriteBatch();

    // Buffers for n sprites (4n vertices, 6n indices), made anew; false when the device refuses.
    bool reserve(unsigned sprites);
    unsigned getReserveCount() const { return m_reserved; }
    void releaseBuffers();

    // Locks the buffers and empties the records; false (frame not open) without buffers.
    bool begin();
    // Unlocks the buffers and files the current record.
    void end();
    bool isOpen() const { return m_open; }

    void drawSprite(const cSpriteQuad& quad, const cTexture* texture, uint32_t renderType, uint8_t alphaRef,
                    const cBatchFrame& frame);
    void drawMesh(cMeshDrawRecord* record, uint32_t renderType, uint8_t alphaRef);
    void drawParticles(cParticleDrawRecord* record);

    // Draws every record in order; returns the triangles drawn. Cursors go back to 0.
    uint32_t render(Platform::IRenderDevice& device, const cBatchFrame& frame);

    const std::vector<cBatchRecord>& getRecords() const { return m_records; }
    uint32_t getVertexCursor() const { return m_vertexCursor; }
    uint32_t getIndexCursor() const { return m_indexCursor; }
    Platform::tBufferHandle getVertexBuffer() const { return m_vertexBuffer; }
    Platform::tBufferHandle getIndexBuffer() const { return m_indexBuffer; }

private:
    // Files the current record when it holds anything; the next one starts at the cursors.
    void closeRecord();
    // Dynamic buffers for that many sprites; false (nothing made) when the device refuses.
    bool createBuffers(unsigned sprites, Platform::tBufferHandle& vertexBuffer, Platform::tBufferHandle& indexBuffer);
    // Room for that many more vertices and indices, growing the buffers when needed.
    bool makeRoom(uint32_t vertices, uint32_t indices);
    bool sameConstants(const cSpriteQuad& quad) const;
    bool sameState(const cBatchRecord& a, const cBatchRecord& b) const;
    // A record of quads moves back to join the last record of its state when nothing drawn in
    // between overlaps it: fewer draws (and texture changes), every pixel drawn in the same order.
    void mergeRecords();
    void drawRecord(Platform::IRenderDevice& device, const cBatchFrame& frame, const cBatchRecord& record,
                    bool maskPass, uint32_t& triangles);
    void drawMeshRecord(Platform::IRenderDevice& device, const cBatchFrame& frame, const cBatchRecord& record,
                        uint32_t& triangles);
    void drawParticleRecord(Platform::IRenderDevice& device, const cBatchFrame& frame, const cBatchRecord& record);
    void setLights(Platform::IRenderDevice& device, const cBatchFrame& frame, const cMeshDrawRecord& mesh);

    cTextureFactory& m_factory;
    Platform::tBufferHandle m_vertexBuffer = 0;
    Platform::tBufferHandle m_indexBuffer = 0;
    unsigned m_reserved = 0;
    uint32_t m_vertexCapacity = 0;
    uint32_t m_indexCapacity = 0;
    cBatchVertex* m_vertices = nullptr;
    uint16_t* m_indices = nullptr;
    bool m_open = false;
    uint32_t m_vertexCursor = 0;
    uint32_t m_indexCursor = 0;
    cBatchRecord m_current;
    std::vector<cBatchRecord> m_records;
    std::vector<cShaderConstant> m_constants;
    // Lights the last lit mesh enabled, so that a smaller set turns off the rest.
    int m_enabledLights = 0;
    std::vector<cMatrix4> m_pose;
    // A run of adjacent particle records is open (the device's state saved, the library's
    // batch begun); it closes after the record that ends it.
    bool m_particleRun = false;
    bool m_particleRunEnds = false;
};

} // namespace Engine
