#include "translation/Translation.h"

namespace translation {

void initialize()
{
}

void finalize()
{
}

}  // namespace translation
