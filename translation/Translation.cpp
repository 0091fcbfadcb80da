#include "translation/Translation.h"

#include "platform/classes/ClassRegistry.h"
#include "translation/Lang.h"
#include "translation/Lingua.h"
#include "translation/ResStringRedirect.h"
#include "translation/ScreenCursor.h"
#include "translation/ScreenCursorBinding.h"
#include "translation/TranslationSource.h"

namespace translation {

namespace {

bool registeredLingua = false;

}  // namespace

void initialize()
{
    InstallTranslationSourceCompiler();
    TakeMessageCaptionTexts();
    BindGuiScreenCursor();
    // Another library may have registered a translation component under the same name first.
    registeredLingua = !classes::GetClass("TtrLingua");
    if (registeredLingua)
        classes::RegisterClass(TtrLingua::StaticClass());
}

void finalize()
{
    RestoreResourceStringLoader();
    if (registeredLingua)
        classes::UnRegisterClass(TtrLingua::StaticClass());
    registeredLingua = false;
    SetScreenCursor(nullptr);
    RemoveTranslationSourceCompiler();
}

}  // namespace translation
