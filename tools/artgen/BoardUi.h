#pragma once
namespace BoardUi {
void generate();
}
