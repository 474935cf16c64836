#include "UiKit.h"
namespace UiKit {
void generate() {}
}
