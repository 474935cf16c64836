#include "Cells.h"
namespace Cells {
void generate() {}
}
