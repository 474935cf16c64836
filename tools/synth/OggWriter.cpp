#include "tools/synth/OggWriter.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace Synth {

namespace {

void writePage(std::FILE* file, const ogg_page& page) {
    std::fwrite(page.header, 1, size_t(page.header_len), file);
    std::fwrite(page.body, 1, size_t(page.body_len), file);
}

} // namespace

void cOggWriter::write(const cSignal& signal, const std::string& path, double quality) {
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, signal.getChannels(), RATE, float(quality)) != 0) {
        vorbis_info_clear(&info);
        throw std::runtime_error("vorbis encoder refused the settings for " + path);
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        vorbis_info_clear(&info);
        throw std::runtime_error("cannot write " + path);
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_comment_add_tag(&comment, "ENCODER", "Meadow synth");
    vorbis_dsp_state dsp;
    vorbis_block block;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 0x4D454144); // a fixed serial number keeps the files reproducible
    ogg_packet header, headerComment, headerCode;
    vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &headerComment);
    ogg_stream_packetin(&stream, &headerCode);
    ogg_page page;
    while (ogg_stream_flush(&stream, &page) != 0)
        writePage(file, page);

    const size_t chunk = 4096;
    size_t frames = signal.getFrames();
    int channels = signal.getChannels();
    bool finished = false;
    for (size_t start = 0; !finished;) {
        size_t count = std::min(chunk, frames - start);
        if (count == 0) {
            vorbis_analysis_wrote(&dsp, 0);
            finished = true;
        } else {
            float** buffer = vorbis_analysis_buffer(&dsp, int(count));
            for (size_t i = 0; i < count; ++i)
                for (int c = 0; c < channels; ++c)
                    buffer[c][i] = signal.at(start + i, c);
            vorbis_analysis_wrote(&dsp, int(count));
            start += count;
        }
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0)
                    writePage(file, page);
            }
        }
    }
    while (ogg_stream_flush(&stream, &page) != 0)
        writePage(file, page);
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    bool failed = std::ferror(file) != 0;
    if (std::fclose(file) != 0 || failed)
        throw std::runtime_error("cannot write " + path);
}

} // namespace Synth
