#include "Backgrounds.h"
namespace Backgrounds {
void generate() {}
}
