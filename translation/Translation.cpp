#include "translation/Translation.h"

#include "translation/TranslationSource.h"

namespace translation {

void initialize()
{
    InstallTranslationSourceCompiler();
}

void finalize()
{
    RemoveTranslationSourceCompiler();
}

}  // namespace translation
