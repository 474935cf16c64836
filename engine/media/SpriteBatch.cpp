#include "engine/media/SpriteBatch.h"

#include "engine/media/DeviceValues.h"
#include "engine/media/MeshDrawRecord.h"
#include "engine/media/ParticleDrawRecord.h"
#include "engine/media/ParticleLibrary.h"
#include "engine/media/Texture.h"
#include "engine/media/TextureFactory.h"
#include "engine/media/VertexShader.h"

#include <algorithm>
#include <cstring>

namespace Engine {

using namespace Platform;

namespace {

// Sprites the buffers may grow to; beyond it a frame drops further quads.
constexpr unsigned MAX_RESERVED_SPRITES = 1u << 20;

uint32_t alphaReference(const cBatchRecord& record) {
    if (record.renderType & RENDER_ALPHA_REF_160)
        return 0xA0;
    if (record.renderType & RENDER_ALPHA_REF)
        return record.alphaRef;
    return 0;
}

void setFilter(IRenderDevice& device, uint32_t renderType) {
    uint32_t filter = FILTER_POINT;
    if (renderType & RENDER_LINEAR)
        filter = FILTER_LINEAR;
    else if (renderType & RENDER_ANISOTROPIC)
        filter = FILTER_ANISOTROPIC;
    setSamplerStateIfChanged(device, SS_MAG_FILTER, filter);
    setSamplerStateIfChanged(device, SS_MIN_FILTER, filter);
}

// Packs a bilinear mix of the four corner colours.
uint32_t mixColors(const cColor corners[4], float s, float c) {
    float w0 = (1 - s) * (1 - c), w1 = (1 - s) * c, w2 = s * (1 - c), w3 = s * c;
    cColor mixed(corners[0].r * w0 + corners[1].r * w1 + corners[2].r * w2 + corners[3].r * w3,
                 corners[0].g * w0 + corners[1].g * w1 + corners[2].g * w2 + corners[3].g * w3,
                 corners[0].b * w0 + corners[1].b * w1 + corners[2].b * w2 + corners[3].b * w3,
                 corners[0].a * w0 + corners[1].a * w1 + corners[2].a * w2 + corners[3].a * w3);
    return mixed.toARGB();
}

// A quad that covers no pixel (its corners on one row or column), or whose colour is wholly
// transparent under a blend that then keeps the destination (alpha or additive), changes
// nothing on screen; left out, it does not split the batch around it. Wireframe shows every
// quad, and a vertex shader may move the corners.
bool drawsNothing(const cSpriteQuad& quad, uint32_t renderType, const cBatchFrame& frame) {
    if (frame.wireframe || quad.getVertexShader())
        return false;
    bool flatX = true, flatY = true;
    for (int i = 1; i < 4; ++i) {
        flatX = flatX && quad.vertices[i].position.x == quad.vertices[0].position.x;
        flatY = flatY && quad.vertices[i].position.y == quad.vertices[0].position.y;
    }
    if (flatX || flatY)
        return true;
    if (renderType & (RENDER_MODULATE | RENDER_MODULATE_2 | RENDER_OPAQUE | RENDER_STENCIL_MASK | RENDER_MULTIPLY))
        return false;
    for (const auto& vertex : quad.vertices)
        if (vertex.color >> 24)
            return false;
    return true;
}

} // namespace

cSpriteBatch::~cSpriteBatch() {
    releaseBuffers();
}

void cSpriteBatch::releaseBuffers() {
    IRenderDevice* device = m_factory.getRenderDevice();
    if (device) {
        if (m_open) {
            device->unlockBuffer(m_vertexBuffer);
            device->unlockBuffer(m_indexBuffer);
        }
        if (m_vertexBuffer)
            device->destroyBuffer(m_vertexBuffer);
        if (m_indexBuffer)
            device->destroyBuffer(m_indexBuffer);
    }
    m_open = false;
    m_vertices = nullptr;
    m_indices = nullptr;
    m_vertexBuffer = m_indexBuffer = 0;
    m_vertexCapacity = m_indexCapacity = 0;
}

bool cSpriteBatch::reserve(unsigned sprites) {
    releaseBuffers();
    // What the frame queued lay in the old buffers; drawing it from the new ones would read
    // vertices never written.
    m_records.clear();
    m_current = cBatchRecord();
    m_vertexCursor = m_indexCursor = 0;
    sprites = std::min(std::max(sprites, 1u), MAX_RESERVED_SPRITES);
    m_reserved = sprites;
    if (!createBuffers(sprites, m_vertexBuffer, m_indexBuffer))
        return false;
    m_vertexCapacity = 4 * sprites;
    m_indexCapacity = 6 * sprites;
    return true;
}

bool cSpriteBatch::createBuffers(unsigned sprites, tBufferHandle& vertexBuffer, tBufferHandle& indexBuffer) {
    IRenderDevice* device = m_factory.getRenderDevice();
    if (!device)
        return false;
    // Rewritten every frame, so dynamic; the managed pool when the default one refuses.
    auto create = [&](bool index, uint32_t bytes, tBufferHandle& out) {
        for (ePool pool : {POOL_DEFAULT, POOL_MANAGED}) {
            tResult result = index ? device->createIndexBuffer(bytes, true, pool, out)
                                   : device->createVertexBuffer(bytes, BATCH_VERTEX_FORMAT, true, pool, out);
            if (result == RESULT_OK)
                return true;
        }
        return false;
    };
    if (!create(true, 6 * sprites * sizeof(uint16_t), indexBuffer))
        return false;
    if (!create(false, 4 * sprites * sizeof(cBatchVertex), vertexBuffer)) {
        device->destroyBuffer(indexBuffer);
        indexBuffer = 0;
        return false;
    }
    return true;
}

bool cSpriteBatch::begin() {
    m_current = cBatchRecord();
    // Keep the storage unless less than half of it was used.
    if (m_records.size() * 2 < m_records.capacity())
        std::vector<cBatchRecord>().swap(m_records);
    m_records.clear();
    m_constants.clear();
    m_vertexCursor = m_indexCursor = 0;
    IRenderDevice* device = m_factory.getRenderDevice();
    if (!device || !m_vertexBuffer || !m_indexBuffer)
        return false;
    m_vertices = static_cast<cBatchVertex*>(device->lockBuffer(m_vertexBuffer, true));
    m_indices = static_cast<uint16_t*>(device->lockBuffer(m_indexBuffer, true));
    if (!m_vertices || !m_indices) {
        if (m_vertices)
            device->unlockBuffer(m_vertexBuffer);
        if (m_indices)
            device->unlockBuffer(m_indexBuffer);
        m_vertices = nullptr;
        m_indices = nullptr;
        return false;
    }
    m_open = true;
    return true;
}

void cSpriteBatch::end() {
    if (!m_open)
        return;
    if (m_current.holdsAnything())
        m_records.push_back(m_current);
    m_current = cBatchRecord();
    mergeRecords();
    IRenderDevice* device = m_factory.getRenderDevice();
    device->unlockBuffer(m_vertexBuffer, uint32_t(m_vertexCursor * sizeof(cBatchVertex)));
    device->unlockBuffer(m_indexBuffer, uint32_t(m_indexCursor * sizeof(uint16_t)));
    m_vertices = nullptr;
    m_indices = nullptr;
    m_open = false;
}

namespace {

// Records a merge looks back over for one of the same state.
constexpr size_t MERGE_LOOK_BACK = 32;

struct cRecordBounds {
    float left = 0, top = 0, right = 0, bottom = 0;
    // Meshes, particle effects, vertex shaders and stencil passes may touch any pixel.
    bool everywhere = true;

    bool overlaps(const cRecordBounds& other) const {
        return everywhere || other.everywhere ||
               !(right < other.left || other.right < left || bottom < other.top || other.bottom < top);
    }
    void add(const cRecordBounds& other) {
        left = std::min(left, other.left);
        top = std::min(top, other.top);
        right = std::max(right, other.right);
        bottom = std::max(bottom, other.bottom);
        everywhere = everywhere || other.everywhere;
    }
};

bool movable(const cBatchRecord& record) {
    return !record.mesh && !record.particle && !record.vertexShader && record.triangleCount > 0 &&
           !(record.renderType & (RENDER_STENCIL_MASK | RENDER_STENCIL_TEST));
}

} // namespace

bool cSpriteBatch::sameState(const cBatchRecord& a, const cBatchRecord& b) const {
    if (a.texture != b.texture || a.renderType != b.renderType || a.alphaRef != b.alphaRef ||
        a.vertexShader != b.vertexShader || a.constantCount != b.constantCount)
        return false;
    for (uint32_t i = 0; i < a.constantCount; ++i) {
        const cShaderConstant& x = m_constants[a.firstConstant + i];
        const cShaderConstant& y = m_constants[b.firstConstant + i];
        if (x.firstRegister != y.firstRegister || x.data != y.data || x.registerCount != y.registerCount)
            return false;
    }
    return true;
}

void cSpriteBatch::mergeRecords() {
    if (m_records.size() < 3 || !m_indices)
        return;
    struct cGroup {
        std::vector<size_t> members;
        cRecordBounds bounds;
    };
    std::vector<cGroup> groups;
    bool merged = false;
    for (size_t i = 0; i < m_records.size(); ++i) {
        const cBatchRecord& record = m_records[i];
        cRecordBounds bounds;
        bool joined = false;
        if (movable(record)) {
            bounds.everywhere = false;
            bounds.left = bounds.right = m_vertices[record.baseVertex].x;
            bounds.top = bounds.bottom = m_vertices[record.baseVertex].y;
            for (uint32_t v = record.baseVertex; v < record.baseVertex + record.vertexCount; ++v) {
                bounds.left = std::min(bounds.left, m_vertices[v].x);
                bounds.right = std::max(bounds.right, m_vertices[v].x);
                bounds.top = std::min(bounds.top, m_vertices[v].y);
                bounds.bottom = std::max(bounds.bottom, m_vertices[v].y);
            }
            // Back past every record that does not overlap it, to the last one of its state.
            for (size_t g = groups.size(); g-- > 0 && groups.size() - g <= MERGE_LOOK_BACK;) {
                cGroup& group = groups[g];
                const cBatchRecord& lead = m_records[group.members.front()];
                if (movable(lead) && sameState(lead, record) &&
                    record.baseVertex + record.vertexCount - lead.baseVertex <= MAX_RECORD_VERTICES) {
                    group.members.push_back(i);
                    group.bounds.add(bounds);
                    joined = true;
                    break;
                }
                if (group.bounds.overlaps(bounds))
                    break;
            }
        }
        if (!joined)
            groups.push_back({{i}, bounds});
        merged = merged || joined;
    }
    if (!merged)
        return;
    // The indices in the groups' order, each counted from its group's first vertex.
    const std::vector<uint16_t> written(m_indices, m_indices + m_indexCursor);
    std::vector<cBatchRecord> records;
    records.reserve(groups.size());
    uint32_t cursor = 0;
    for (const cGroup& group : groups) {
        cBatchRecord out = m_records[group.members.front()];
        out.startIndex = cursor;
        out.triangleCount = 0;
        uint32_t end = out.baseVertex + out.vertexCount;
        for (size_t member : group.members) {
            const cBatchRecord& record = m_records[member];
            const uint32_t shift = record.baseVertex - out.baseVertex;
            for (uint32_t k = 0; k < record.triangleCount * 3; ++k)
                m_indices[cursor++] = uint16_t(written[record.startIndex + k] + shift);
            out.triangleCount += record.triangleCount;
            end = std::max(end, record.baseVertex + record.vertexCount);
        }
        if (out.triangleCount == 0)
            out.startIndex = m_records[group.members.front()].startIndex;
        out.vertexCount = end - out.baseVertex;
        records.push_back(out);
    }
    m_records.swap(records);
}

void cSpriteBatch::closeRecord() {
    if (m_current.holdsAnything())
        m_records.push_back(m_current);
    cBatchRecord next;
    next.baseVertex = m_current.baseVertex + m_current.vertexCount;
    next.startIndex = m_indexCursor;
    next.alphaRef = m_current.alphaRef;
    m_current = next;
}

bool cSpriteBatch::makeRoom(uint32_t vertices, uint32_t indices) {
    uint64_t neededVertices = uint64_t(m_vertexCursor) + vertices;
    uint64_t neededIndices = uint64_t(m_indexCursor) + indices;
    if (neededVertices <= m_vertexCapacity && neededIndices <= m_indexCapacity)
        return true;
    // Grow: new buffers of twice the room (or what the quad needs), holding what the frame
    // wrote so far, instead of writing past the end.
    uint64_t sprites =
        std::max<uint64_t>(uint64_t(m_reserved) * 2, std::max((neededVertices + 3) / 4, (neededIndices + 5) / 6));
    if (sprites > MAX_RESERVED_SPRITES)
        return false;
    IRenderDevice* device = m_factory.getRenderDevice();
    tBufferHandle vertexBuffer = 0, indexBuffer = 0;
    if (!createBuffers(unsigned(sprites), vertexBuffer, indexBuffer))
        return false;
    auto* newVertices = static_cast<cBatchVertex*>(device->lockBuffer(vertexBuffer, true));
    auto* newIndices = static_cast<uint16_t*>(device->lockBuffer(indexBuffer, true));
    if (!newVertices || !newIndices) {
        device->destroyBuffer(vertexBuffer);
        device->destroyBuffer(indexBuffer);
        return false;
    }
    std::memcpy(newVertices, m_vertices, size_t(m_vertexCursor) * sizeof(cBatchVertex));
    std::memcpy(newIndices, m_indices, size_t(m_indexCursor) * sizeof(uint16_t));
    device->unlockBuffer(m_vertexBuffer);
    device->unlockBuffer(m_indexBuffer);
    device->destroyBuffer(m_vertexBuffer);
    device->destroyBuffer(m_indexBuffer);
    m_vertexBuffer = vertexBuffer;
    m_indexBuffer = indexBuffer;
    m_vertices = newVertices;
    m_indices = newIndices;
    m_reserved = unsigned(sprites);
    m_vertexCapacity = uint32_t(4 * sprites);
    m_indexCapacity = uint32_t(6 * sprites);
    return true;
}

bool cSpriteBatch::sameConstants(const cSpriteQuad& quad) const {
    if (quad.shaderConstants.size() != m_current.constantCount)
        return false;
    for (uint32_t i = 0; i < m_current.constantCount; ++i) {
        const cShaderConstant& a = m_constants[m_current.firstConstant + i];
        const cShaderConstant& b = quad.shaderConstants[i];
        if (a.firstRegister != b.firstRegister || a.data != b.data || a.registerCount != b.registerCount)
            return false;
    }
    return true;
}

void cSpriteBatch::drawSprite(const cSpriteQuad& quad, const cTexture* texture, uint32_t renderType, uint8_t alphaRef,
                              const cBatchFrame& frame) {
    if (!m_open || drawsNothing(quad, renderType, frame))
        return;
    // A subdivision of 0 would divide by zero; a huge one would not fit the 16-bit indices.
    const uint32_t l = std::min(std::max(quad.subdivision, 1u), MAX_SUBDIVISION);
    const uint32_t m = l + 1;
    const uint32_t vertexCount = m * m;
    const uint32_t indexCount = 6 * l * l;
    if (!makeRoom(vertexCount, indexCount))
        return;

    tTextureHandle deviceTexture = texture ? texture->getDeviceTexture() : 0;
    tShaderHandle shader = quad.getVertexShader() ? quad.getVertexShader()->getHandle() : 0;
    bool quadsHere = m_current.vertexCount > 0;
    bool differs = m_current.texture != deviceTexture || m_current.renderType != renderType ||
                   m_current.alphaRef != alphaRef || m_current.vertexShader != shader || !sameConstants(quad);
    if (m_current.mesh || m_current.particle ||
        (quadsHere && (differs || m_current.vertexCount + vertexCount > MAX_RECORD_VERTICES)))
        closeRecord();
    if (m_current.vertexCount == 0) {
        m_current.texture = deviceTexture;
        m_current.renderType = renderType;
        m_current.alphaRef = alphaRef;
        m_current.vertexShader = shader;
        m_current.firstConstant = uint32_t(m_constants.size());
        m_current.constantCount = uint32_t(quad.shaderConstants.size());
        m_constants.insert(m_constants.end(), quad.shaderConstants.begin(), quad.shaderConstants.end());
    }

    const cVector2& p0 = quad.vertices[0].position;
    const cVector2& p1 = quad.vertices[1].position;
    const cVector2& p2 = quad.vertices[2].position;
    const cVector2& p3 = quad.vertices[3].position;
    cVector2 across = p1 - p0, down = p2 - p0, twist = p3 - (p0 + across + down);
    cVector2 uvScale = texture ? texture->getUvScale() : cVector2(1, 1);
    const float* rect = quad.textureRect;
    cColor corners[4];
    for (int i = 0; i < 4; ++i)
        corners[i].fromARGB(quad.vertices[i].color);

    cBatchVertex* out = m_vertices + m_vertexCursor;
    for (uint32_t i = 0; i <= l; ++i) {
        float s = float(i) / float(l);
        for (uint32_t j = 0; j <= l; ++j) {
            float c = float(j) / float(l);
            float x = p0.x + down.x * s + across.x * c + twist.x * s * c;
            float y = p0.y + down.y * s + across.y * c + twist.y * s * c;
            if (frame.fullscreen) {
                x = x * frame.fitScale.x + frame.fitOffset.x;
                y = y * frame.fitScale.y + frame.fitOffset.y;
            } else {
                x -= 0.5f;
                y -= 0.5f;
            }
            out->x = x;
            out->y = y;
            out->z = 0;
            out->u = (rect[0] + (rect[2] - rect[0]) * c) * uvScale.x;
            out->v = (rect[1] + (rect[3] - rect[1]) * s) * uvScale.y;
            // Corners keep their packed colour exactly; inner points mix them.
            if ((i == 0 || i == l) && (j == 0 || j == l))
                out->color = quad.vertices[(i ? 2 : 0) + (j ? 1 : 0)].color;
            else
                out->color = mixColors(corners, s, c);
            ++out;
        }
    }
    // Indices count from the record's base vertex, which the draw passes to the device.
    uint16_t* index = m_indices + m_indexCursor;
    const uint32_t first = m_vertexCursor - m_current.baseVertex;
    for (uint32_t i = 0; i < l; ++i)
        for (uint32_t j = 0; j < l; ++j) {
            uint32_t k = first + i * m + j;
            *index++ = uint16_t(k);
            *index++ = uint16_t(k + m);
            *index++ = uint16_t(k + 1);
            *index++ = uint16_t(k + 1);
            *index++ = uint16_t(k + m);
            *index++ = uint16_t(k + m + 1);
        }
    m_current.triangleCount += 2 * l * l;
    m_current.vertexCount += vertexCount;
    m_current.particle = nullptr;
    m_indexCursor += indexCount;
    m_vertexCursor += vertexCount;
}

void cSpriteBatch::drawMesh(cMeshDrawRecord* record, uint32_t renderType, uint8_t alphaRef) {
    closeRecord();
    m_current.texture = 0;
    m_current.renderType = renderType;
    m_current.alphaRef = alphaRef;
    m_current.mesh = record;
}

void cSpriteBatch::drawParticles(cParticleDrawRecord* record) {
    closeRecord();
    m_current.particle = record;
}

uint32_t cSpriteBatch::render(IRenderDevice& device, const cBatchFrame& frame) {
    uint32_t triangles = 0;
    device.setIndices(m_indexBuffer);
    device.setStreamSource(m_vertexBuffer, sizeof(cBatchVertex));
    for (size_t i = 0; i < m_records.size(); ++i) {
        const cBatchRecord& record = m_records[i];
        m_particleRunEnds = i + 1 == m_records.size() || !m_records[i + 1].particle;
        device.setTexture(frame.wireframe ? 0 : record.texture);
        if (record.renderType & RENDER_STENCIL_MASK) {
            setRenderStateIfChanged(device, RS_STENCIL_ENABLE, 1);
            setRenderStateIfChanged(device, RS_STENCIL_FUNC, CMP_ALWAYS);
            setRenderStateIfChanged(device, RS_STENCIL_REF, 1);
            setRenderStateIfChanged(device, RS_STENCIL_MASK, 0xFFFFFFFFu);
            setRenderStateIfChanged(device, RS_STENCIL_WRITE_MASK, 0xFFFFFFFFu);
            setRenderStateIfChanged(device, RS_STENCIL_FAIL, STENCIL_KEEP);
            setRenderStateIfChanged(device, RS_STENCIL_Z_FAIL, STENCIL_KEEP);
            setRenderStateIfChanged(device, RS_STENCIL_PASS, STENCIL_REPLACE);
            setRenderStateIfChanged(device, RS_ALPHA_REF, 0x88);
            setRenderStateIfChanged(device, RS_SRC_BLEND, BLEND_ZERO);
            setRenderStateIfChanged(device, RS_DEST_BLEND, BLEND_ONE);
            setRenderStateIfChanged(device, RS_ALPHA_BLEND_ENABLE, 1);
            setRenderStateIfChanged(device, RS_ALPHA_TEST_ENABLE, 1);
            drawRecord(device, frame, record, true, triangles);
            setRenderStateIfChanged(device, RS_ALPHA_REF, 0);
            setRenderStateIfChanged(device, RS_STENCIL_ENABLE, 0);
        }
        if (record.renderType & RENDER_STENCIL_TEST) {
            setRenderStateIfChanged(device, RS_STENCIL_ENABLE, 1);
            setRenderStateIfChanged(device, RS_STENCIL_REF, 1);
            setRenderStateIfChanged(device, RS_STENCIL_FUNC, CMP_EQUAL);
            setRenderStateIfChanged(device, RS_STENCIL_PASS, STENCIL_KEEP);
        } else if (!(record.renderType & RENDER_STENCIL_MASK)) {
            setRenderStateIfChanged(device, RS_STENCIL_ENABLE, 0);
        }
        // Every record, the stencil ones too, draws with its own alpha reference.
        setRenderStateIfChanged(device, RS_ALPHA_REF, alphaReference(record));
        uint32_t source = BLEND_SRC_ALPHA, destination = BLEND_INV_SRC_ALPHA;
        if (record.renderType & (RENDER_MODULATE | RENDER_MODULATE_2)) {
            source = BLEND_DEST_COLOR;
            destination = BLEND_SRC_ALPHA;
        } else if (record.renderType & RENDER_ADDITIVE) {
            destination = BLEND_ONE;
        } else if (record.renderType & RENDER_MULTIPLY) {
            source = BLEND_ZERO;
            destination = BLEND_SRC_COLOR;
        }
        setRenderStateIfChanged(device, RS_SRC_BLEND, source);
        setRenderStateIfChanged(device, RS_DEST_BLEND, destination);
        uint32_t blending = (record.renderType & RENDER_OPAQUE) ? 0 : 1;
        setRenderStateIfChanged(device, RS_ALPHA_BLEND_ENABLE, blending);
        setRenderStateIfChanged(device, RS_ALPHA_TEST_ENABLE, blending);
        drawRecord(device, frame, record, false, triangles);
    }
    m_vertexCursor = m_indexCursor = 0;
    return triangles;
}

void cSpriteBatch::drawRecord(IRenderDevice& device, const cBatchFrame& frame, const cBatchRecord& record,
                              bool maskPass, uint32_t& triangles) {
    if (record.mesh) {
        if (!maskPass)
            drawMeshRecord(device, frame, record, triangles);
        else if (record.mesh->mesh) {
            const IMeshGeometry& mesh = *record.mesh->mesh;
            device.setIndices(mesh.getIndexBuffer());
            device.setStreamSource(mesh.getVertexBuffer(), mesh.getVertexStride());
            device.setVertexFormat(mesh.getVertexFormat());
            device.setTransform(TRANSFORM_WORLD, toDevice(record.mesh->world * frame.screenTransform));
            device.drawIndexedTriangles(0, 0, mesh.getVertexCount(), 0, mesh.getTriangleCount());
            device.setIndices(m_indexBuffer);
            device.setStreamSource(m_vertexBuffer, sizeof(cBatchVertex));
            device.setVertexFormat(BATCH_VERTEX_FORMAT);
            device.setTransform(TRANSFORM_WORLD, toDevice(frame.view));
        }
        return;
    }
    if (record.particle) {
        if (!maskPass)
            drawParticleRecord(device, frame, record);
        return;
    }
    if (!maskPass) {
        setFilter(device, record.renderType);
        uint32_t address = (record.renderType & RENDER_TILED) ? ADDRESS_MIRROR : ADDRESS_CLAMP;
        setSamplerStateIfChanged(device, SS_ADDRESS_U, address);
        setSamplerStateIfChanged(device, SS_ADDRESS_V, address);
    }
    if (record.vertexShader && !maskPass) {
        device.setVertexShader(record.vertexShader);
        device.setVertexShaderConstants(0, frame.shaderMatrix.m, 4);
        for (uint32_t i = 0; i < record.constantCount; ++i) {
            const cShaderConstant& constant = m_constants[record.firstConstant + i];
            device.setVertexShaderConstants(constant.firstRegister, constant.data, constant.registerCount);
        }
    } else {
        device.setVertexFormat(BATCH_VERTEX_FORMAT);
    }
    if (frame.fullscreen && !maskPass && (frame.fitScale.x != 1 || frame.fitScale.y != 1)) {
        if (record.renderType & RENDER_MODULATE) {
            setSamplerStateIfChanged(device, SS_MAG_FILTER, FILTER_POINT);
        } else {
            setSamplerStateIfChanged(device, SS_MAG_FILTER, FILTER_ANISOTROPIC);
            setSamplerStateIfChanged(device, SS_MIN_FILTER, FILTER_ANISOTROPIC);
        }
    }
    device.drawIndexedTriangles(record.baseVertex, 0, record.vertexCount, record.startIndex, record.triangleCount);
    triangles += record.triangleCount;
}

void cSpriteBatch::setLights(IRenderDevice& device, const cBatchFrame& frame, const cMeshDrawRecord& mesh) {
    const std::vector<cLightSet>* sets = frame.lightSets;
    // A light table outside the sets draws the mesh unlit instead of reading past them.
    if (!mesh.lighting || !sets || mesh.lightTable < 0 || size_t(mesh.lightTable) >= sets->size()) {
        setRenderStateIfChanged(device, RS_LIGHTING, 0);
        return;
    }
    const cLightSet& set = (*sets)[size_t(mesh.lightTable)];
    // The channels in the device's own order: 0xAARRGGBB.
    setRenderStateIfChanged(device, RS_AMBIENT, set.ambient.toARGB());
    setRenderStateIfChanged(device, RS_LIGHTING, 1);
    int count = int(std::min<size_t>(set.lights.size(), MAX_LIGHTS));
    for (int i = 0; i < count; ++i) {
        device.setLight(i, set.lights[size_t(i)]);
        device.enableLight(i, true);
    }
    // Lights a larger set turned on would otherwise shine on this mesh too.
    for (int i = count; i < m_enabledLights; ++i)
        device.enableLight(i, false);
    m_enabledLights = count;
}

void cSpriteBatch::drawMeshRecord(IRenderDevice& device, const cBatchFrame& frame, const cBatchRecord& record,
                                  uint32_t& triangles) {
    const cMeshDrawRecord& draw = *record.mesh;
    if (!draw.mesh)
        return;
    const IMeshGeometry& mesh = *draw.mesh;
    setRenderStateIfChanged(device, RS_CULL_MODE, CULL_CCW);
    setRenderStateIfChanged(device, RS_Z_ENABLE, 1);
    setRenderStateIfChanged(device, RS_Z_FUNC, CMP_GREATER);
    setRenderStateIfChanged(device, RS_Z_WRITE_ENABLE, 1);
    setLights(device, frame, draw);
    setFilter(device, record.renderType);
    device.setTexture(frame.wireframe || !draw.texture ? 0 : draw.texture->getDeviceTexture());
    device.setIndices(mesh.getIndexBuffer());
    device.setStreamSource(mesh.getVertexBuffer(), mesh.getVertexStride());
    device.setVertexFormat(mesh.getVertexFormat());
    cMaterial material;
    material.diffuse = toDevice(draw.diffuse);
    material.ambient = toDevice(draw.ambient);
    material.specular = toDevice(draw.specular);
    material.emissive = toDevice(draw.emissive);
    material.power = draw.power;
    device.setMaterial(material);
    const IMeshGeometry* skinned = nullptr;
    if (draw.animation) {
        draw.animation->getPose(draw.time, mesh, m_pose);
        if (draw.blendFactor > 0)
            for (size_t i = 0; i < m_pose.size() && i < draw.blendSource.size(); ++i)
                m_pose[i] = draw.blendSource[i].scaled(draw.blendFactor) + m_pose[i].scaled(1 - draw.blendFactor);
        skinned = mesh.getSkinned(m_pose);
    }
    if (skinned) {
        // Skinned on the CPU: a plain mesh under the sprite's world matrix.
        device.setIndices(skinned->getIndexBuffer());
        device.setStreamSource(skinned->getVertexBuffer(), skinned->getVertexStride());
        device.setVertexFormat(skinned->getVertexFormat());
        device.setTransform(TRANSFORM_WORLD, toDevice(draw.world * frame.screenTransform));
        device.drawIndexedTriangles(0, 0, skinned->getVertexCount(), 0, skinned->getTriangleCount());
    } else if (draw.animation) {
        setRenderStateIfChanged(device, RS_INDEXED_VERTEX_BLEND_ENABLE, 1);
        setRenderStateIfChanged(device, RS_VERTEX_BLEND, VERTEX_BLEND_3_WEIGHTS);
        setRenderStateIfChanged(device, RS_DITHER_ENABLE, 1);
        for (size_t i = 0; i < m_pose.size() && i < size_t(MAX_WORLD_MATRICES); ++i)
            device.setTransform(TRANSFORM_WORLD + int(i), toDevice(m_pose[i] * draw.world * frame.screenTransform));
        device.drawIndexedTriangles(0, 0, mesh.getVertexCount(), 0, mesh.getTriangleCount());
        setRenderStateIfChanged(device, RS_INDEXED_VERTEX_BLEND_ENABLE, 0);
        setRenderStateIfChanged(device, RS_VERTEX_BLEND, VERTEX_BLEND_DISABLE);
        setRenderStateIfChanged(device, RS_DITHER_ENABLE, 0);
    } else {
        device.setTransform(TRANSFORM_WORLD, toDevice(draw.world * frame.screenTransform));
        device.drawIndexedTriangles(0, 0, mesh.getVertexCount(), 0, mesh.getTriangleCount());
    }
    triangles += mesh.getTriangleCount();

    device.setIndices(m_indexBuffer);
    device.setStreamSource(m_vertexBuffer, sizeof(cBatchVertex));
    setSamplerStateIfChanged(device, SS_MAG_FILTER, FILTER_POINT);
    device.setMaterial(frame.defaultMaterial);
    device.setTransform(TRANSFORM_WORLD, toDevice(frame.view));
    setRenderStateIfChanged(device, RS_LIGHTING, 0);
    setRenderStateIfChanged(device, RS_CULL_MODE, CULL_NONE);
    setRenderStateIfChanged(device, RS_Z_ENABLE, 0);
    setRenderStateIfChanged(device, RS_Z_WRITE_ENABLE, 0);
    device.setVertexFormat(BATCH_VERTEX_FORMAT);
}

void cSpriteBatch::drawParticleRecord(IRenderDevice& device, const cBatchFrame& frame, const cBatchRecord& record) {
    cParticleDrawRecord& effect = *record.particle;
    if (!m_particleRun) {
        device.saveState();
        if (frame.particles)
            frame.particles->beginBatch();
        m_particleRun = true;
    }
    if (effect.effect && (frame.particleDeviceFresh || effect.dirty)) {
        effect.dirty = false;
        float k = std::min(frame.fitScale.x, frame.fitScale.y);
        float scale = frame.fullscreen ? effect.scale * k : effect.scale;
        effect.effect->setScale(scale);
        float x = effect.x - effect.x * scale;
        float y = effect.y - effect.y * scale;
        if (frame.fullscreen) {
            x += effect.x * frame.fitScale.x + frame.fitOffset.x - effect.x + effect.offsetX * k;
            y += effect.y * frame.fitScale.y + frame.fitOffset.y - effect.y + effect.offsetY * k;
        } else {
            x += effect.offsetX;
            y += effect.offsetY;
        }
        effect.effect->setPosition(x, y, effect.z);
    }
    if (effect.effect)
        effect.effect->render();
    if (!m_particleRunEnds)
        return;
    if (frame.particles)
        frame.particles->endBatch();
    m_particleRun = false;
    device.restoreState();
    device.setIndices(m_indexBuffer);
    device.setStreamSource(m_vertexBuffer, sizeof(cBatchVertex));
}

} // namespace Engine
