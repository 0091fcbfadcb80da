#include "controls/pagecontrol/PageControl.h"

#include "controls/pagecontrol/clPC.h"
#include "controls/pagecontrol/clPCOneNotePainter.h"
#include "controls/pagecontrol/clPCPainters.h"
#include "controls/pagecontrol/clPCSlantedPainter.h"
#include "controls/pagecontrol/clPCStandardPainter.h"

#include "platform/classes/ClassRegistry.h"

namespace pagecontrol {

void initialize()
{
    detail::InitializeStandardPainter();
    clPCRegisterPainter(clPCSlantedPainterClass());
    clPCRegisterPainter(clPCOneNotePainterClass());
    classes::RegisterClasses({&TclPageControl::StaticClass(), &TclTabSheet::StaticClass()});
}

void finalize()
{
    clPCUnregisterPainter(clPCSlantedPainterClass());
    clPCUnregisterPainter(clPCOneNotePainterClass());
    classes::UnRegisterClass(TclTabSheet::StaticClass());
    classes::UnRegisterClass(TclPageControl::StaticClass());
    detail::FinalizeStandardPainter();
    detail::FinalizePainterFactory();
}

}  // namespace pagecontrol
