#pragma once
namespace Cells {
void generate();
}
