#pragma once
namespace Backgrounds {
void generate();
}
