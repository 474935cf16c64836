#include "game/model/SaveStream.h"

#include "engine/core/String.h"

#include <cstring>

using Engine::cStringA;

namespace SaveStream {
namespace {

void writeBytes(Engine::IDataStream& stream, const uint8_t* bytes, int32_t count) {
    if (stream.write(bytes, count) != count)
        throw cStringA("SaveStream: cannot write the level save");
}

void readBytes(Engine::IDataStream& stream, uint8_t* bytes, int32_t count) {
    if (stream.read(bytes, count) != count)
        throw cStringA("SaveStream: unexpected end of the level save");
}

void writeUInt32(Engine::IDataStream& stream, uint32_t value) {
    uint8_t bytes[4] = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)};
    writeBytes(stream, bytes, 4);
}

uint32_t readUInt32(Engine::IDataStream& stream) {
    uint8_t bytes[4];
    readBytes(stream, bytes, 4);
    return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 | uint32_t(bytes[3]) << 24;
}

} // namespace

void writeInt32(Engine::IDataStream& stream, int32_t value) {
    writeUInt32(stream, uint32_t(value));
}

void writeFloat(Engine::IDataStream& stream, float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, 4);
    writeUInt32(stream, bits);
}

void writeFlag(Engine::IDataStream& stream, bool value) {
    uint8_t byte = value ? 1 : 0;
    writeBytes(stream, &byte, 1);
}

int32_t readInt32(Engine::IDataStream& stream) {
    return int32_t(readUInt32(stream));
}

float readFloat(Engine::IDataStream& stream) {
    uint32_t bits = readUInt32(stream);
    float value;
    std::memcpy(&value, &bits, 4);
    return value;
}

bool readFlag(Engine::IDataStream& stream) {
    uint8_t byte = 0;
    readBytes(stream, &byte, 1);
    return byte != 0;
}

int32_t readCount(Engine::IDataStream& stream) {
    int32_t count = readInt32(stream);
    if (count < 0)
        throw cStringA("SaveStream: negative count in the level save: " + std::to_string(count));
    return count;
}

} // namespace SaveStream
