#include "engine/media/JngDecoder.h"

#include "engine/core/String.h"

#define MNG_USE_SO
#include <libmng.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_set>

namespace Engine {

namespace {

// What libmng's callbacks read and fill. They run inside libmng and must not throw: a failure
// is noted here and reported as a false return.
struct cJngSource {
    const uint8_t* bytes = nullptr;
    size_t size = 0;
    size_t position = 0;
    cImage* image = nullptr;
    std::string failure;
    bool shown = false;
};

cJngSource& sourceOf(mng_handle handle) {
    return *static_cast<cJngSource*>(mng_get_userdata(handle));
}

// libmng forgets some row buffers when a damaged image stops it halfway, and its memory
// callbacks carry no user pointer: the decoding on this thread keeps the list of its blocks and
// frees what libmng left behind.
thread_local std::unordered_set<void*>* t_blocks = nullptr;

mng_ptr MNG_DECL allocateMemory(mng_size_t length) {
    void* block = std::calloc(1, length);
    if (block && t_blocks) {
        try {
            t_blocks->insert(block);
        } catch (...) {
            std::free(block);
            return nullptr;
        }
    }
    return block;
}

void MNG_DECL freeMemory(mng_ptr pointer, mng_size_t) {
    if (t_blocks)
        t_blocks->erase(pointer);
    std::free(pointer);
}
mng_bool MNG_DECL openStream(mng_handle) {
    return MNG_TRUE;
}
mng_bool MNG_DECL closeStream(mng_handle) {
    return MNG_TRUE;
}

mng_bool MNG_DECL readData(mng_handle handle, mng_ptr buffer, mng_uint32 length, mng_uint32p read) {
    cJngSource& source = sourceOf(handle);
    const size_t count = std::min(size_t(length), source.size - source.position);
    std::memcpy(buffer, source.bytes + source.position, count);
    source.position += count;
    *read = mng_uint32(count);
    return MNG_TRUE;
}

mng_bool MNG_DECL processHeader(mng_handle handle, mng_uint32 width, mng_uint32 height) {
    cJngSource& source = sourceOf(handle);
    try {
        cImageDecoder::allocate(*source.image, long(width), long(height), "JNG");
    } catch (const cStringA& error) {
        source.failure = error;
        return MNG_FALSE;
    } catch (...) {
        source.failure = "JNG image does not fit in memory";
        return MNG_FALSE;
    }
    return mng_set_canvasstyle(handle, MNG_CANVAS_BGRA8) == MNG_NOERROR ? MNG_TRUE : MNG_FALSE;
}

mng_ptr MNG_DECL getCanvasLine(mng_handle handle, mng_uint32 line) {
    cImage& image = *sourceOf(handle).image;
    if (line >= mng_uint32(image.height))
        return nullptr;
    return &image.pixels[size_t(line) * size_t(image.width)];
}

mng_bool MNG_DECL refresh(mng_handle handle, mng_uint32, mng_uint32, mng_uint32, mng_uint32) {
    sourceOf(handle).shown = true;
    return MNG_TRUE;
}

mng_uint32 MNG_DECL getTickCount(mng_handle) {
    return 0;
}
mng_bool MNG_DECL setTimer(mng_handle, mng_uint32) {
    return MNG_TRUE;
}
mng_bool MNG_DECL onError(mng_handle, mng_int32, mng_int8, mng_chunkid, mng_uint32, mng_int32, mng_int32, mng_pchar) {
    return MNG_FALSE;
}

struct cMngHandle {
    mng_handle handle = nullptr;
    std::unordered_set<void*> blocks;

    cMngHandle() { t_blocks = &blocks; }
    ~cMngHandle() {
        if (handle)
            mng_cleanup(&handle);
        for (void* block : blocks)
            std::free(block);
        t_blocks = nullptr;
    }
};

} // namespace

void cJngDecoder::decode(const uint8_t* bytes, size_t size, cImage& image) {
    cJngSource source;
    source.bytes = bytes;
    source.size = size;
    source.image = &image;
    cMngHandle mng;
    mng.handle = mng_initialize(&source, allocateMemory, freeMemory, MNG_NULL);
    if (!mng.handle)
        throw cImageError("JNG decoder cannot start");
    mng_setcb_openstream(mng.handle, openStream);
    mng_setcb_closestream(mng.handle, closeStream);
    mng_setcb_readdata(mng.handle, readData);
    mng_setcb_processheader(mng.handle, processHeader);
    mng_setcb_getcanvasline(mng.handle, getCanvasLine);
    mng_setcb_refresh(mng.handle, refresh);
    mng_setcb_gettickcount(mng.handle, getTickCount);
    mng_setcb_settimer(mng.handle, setTimer);
    mng_setcb_errorproc(mng.handle, onError);

    const mng_retcode result = mng_readdisplay(mng.handle);
    if (!source.failure.empty()) {
        image = cImage();
        throw cImageError(source.failure);
    }
    if ((result != MNG_NOERROR && result != MNG_NEEDTIMERWAIT) || !source.shown || image.pixels.empty()) {
        std::string reason = "the data is truncated or damaged";
        mng_int8 severity = 0;
        mng_chunkid chunk = 0;
        mng_uint32 sequence = 0;
        mng_int32 extra1 = 0, extra2 = 0;
        mng_pchar text = nullptr;
        if (mng_getlasterror(mng.handle, &severity, &chunk, &sequence, &extra1, &extra2, &text) != MNG_NOERROR &&
            text && *text)
            reason = text;
        image = cImage();
        throw cImageError("JNG data is corrupt: " + reason);
    }
}

} // namespace Engine
