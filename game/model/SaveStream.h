#pragma once

// Little-endian fields of the binary level save: 32-bit integers and floats, one-byte flags.
// Reading past the end of the stream throws instead of leaving fields undefined.

#include "engine/core/DataStream.h"

#include <cstdint>

namespace SaveStream {

void writeInt32(Engine::IDataStream& stream, int32_t value);
void writeFloat(Engine::IDataStream& stream, float value);
void writeFlag(Engine::IDataStream& stream, bool value);

int32_t readInt32(Engine::IDataStream& stream);
float readFloat(Engine::IDataStream& stream);
bool readFlag(Engine::IDataStream& stream);
// A count that must not be negative.
int32_t readCount(Engine::IDataStream& stream);

} // namespace SaveStream
