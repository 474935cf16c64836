#include "tests/media/SoundFiles.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace TestSupport {

namespace {

void put32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(char((v >> (8 * i)) & 0xFF));
}
void put16(std::string& out, uint16_t v) {
    out.push_back(char(v & 0xFF));
    out.push_back(char(v >> 8));
}

} // namespace

std::string makeWav(const std::vector<int16_t>& samples, int channels, int rate, int bits) {
    std::string data;
    for (int16_t s : samples) {
        if (bits == 8)
            data.push_back(char(uint8_t((s >> 8) + 128)));
        else
            put16(data, uint16_t(s));
    }
    std::string out = "RIFF";
    put32(out, uint32_t(4 + 8 + 16 + 8 + 8 + data.size()));
    out += "WAVE";
    // An unknown chunk first: readers must skip what they do not know.
    out += "LIST";
    put32(out, 0);
    out += "fmt ";
    put32(out, 16);
    put16(out, 1);
    put16(out, uint16_t(channels));
    put32(out, uint32_t(rate));
    put32(out, uint32_t(rate * channels * bits / 8));
    put16(out, uint16_t(channels * bits / 8));
    put16(out, uint16_t(bits));
    out += "data";
    put32(out, uint32_t(data.size()));
    return out + data;
}

std::vector<int16_t> makeSine(int frames, int amplitude, int period) {
    std::vector<int16_t> out(static_cast<size_t>(frames));
    for (int i = 0; i < frames; ++i)
        out[size_t(i)] = int16_t(std::lround(amplitude * std::sin(2.0 * M_PI * i / period)));
    return out;
}

std::string makeOgg(const std::vector<int16_t>& samples, int channels, int rate) {
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, channels, rate, 0.5f) != 0)
        throw std::runtime_error("vorbis_encode_init_vbr");
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 1);

    std::string out;
    ogg_page page;
    auto writePage = [&out, &page]() {
        out.append(reinterpret_cast<const char*>(page.header), size_t(page.header_len));
        out.append(reinterpret_cast<const char*>(page.body), size_t(page.body_len));
    };
    ogg_packet header, headerComment, headerCode;
    vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &headerComment);
    ogg_stream_packetin(&stream, &headerCode);
    while (ogg_stream_flush(&stream, &page) != 0)
        writePage();

    const int frames = int(samples.size()) / channels;
    const int chunk = 1024;
    // The last round writes 0 frames, which ends the stream.
    for (int start = 0;; start += chunk) {
        const int count = std::max(0, std::min(chunk, frames - start));
        if (count > 0) {
            float** buffer = vorbis_analysis_buffer(&dsp, count);
            for (int i = 0; i < count; ++i)
                for (int c = 0; c < channels; ++c)
                    buffer[c][i] = float(samples[size_t((start + i) * channels + c)]) / 32768.0f;
        }
        vorbis_analysis_wrote(&dsp, count);
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0)
                    writePage();
            }
        }
        if (count == 0)
            break;
    }
    while (ogg_stream_flush(&stream, &page) != 0)
        writePage();

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

int32_t cMemoryStream::seek(int32_t offset, int origin) {
    if (refuseSeeks)
        return int32_t(m_position);
    int64_t target = origin == 0 ? offset : origin == 1 ? m_position + offset : int64_t(m_bytes.size()) + offset;
    if (target < 0 || target > int64_t(m_bytes.size()))
        return -1;
    m_position = target;
    return int32_t(target);
}

int32_t cMemoryStream::read(void* buffer, int32_t count) {
    if (throwAfter >= 0 && m_position + count > throwAfter)
        throw std::runtime_error("read failed");
    int64_t left = int64_t(m_bytes.size()) - m_position;
    int32_t n = int32_t(count < left ? count : left);
    if (n <= 0)
        return 0;
    std::memcpy(buffer, m_bytes.data() + m_position, size_t(n));
    m_position += n;
    return n;
}

} // namespace TestSupport
