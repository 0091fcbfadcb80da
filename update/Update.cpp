#include "update/Update.h"

#include "update/detail/RelayWindow.h"
#include "update/upHTTP.h"
#include "update/upThread.h"
#include "update/upUtils.h"

#include "platform/classes/ClassRegistry.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"

#include <curl/curl.h>

namespace update {

void initialize()
{
    classes::RegisterClasses({&TupCustomThread::StaticClass(), &TupCustomHTTP::StaticClass()});
    SetUpgraderProgramPath(rtl::ProgramFileName());
    detail::InitializeRelayWindow();
    if (curl_global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK)
        throw rtl::Exception("The HTTP library could not be started");
}

void finalize()
{
    curl_global_cleanup();
    detail::FinalizeRelayWindow();
    SetUpgraderProgramPath("");
}

}  // namespace update
