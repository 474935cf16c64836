#include "BoardUi.h"
namespace BoardUi {
void generate() {}
}
