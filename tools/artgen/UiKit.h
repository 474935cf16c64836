#pragma once
namespace UiKit {
void generate();
}
