#include "controls/pagecontrol/PageControl.h"

#include "controls/pagecontrol/clPCOneNotePainter.h"
#include "controls/pagecontrol/clPCPainters.h"
#include "controls/pagecontrol/clPCSlantedPainter.h"
#include "controls/pagecontrol/clPCStandardPainter.h"

namespace pagecontrol {

void initialize()
{
    detail::InitializeStandardPainter();
    clPCRegisterPainter(clPCSlantedPainterClass());
    clPCRegisterPainter(clPCOneNotePainterClass());
}

void finalize()
{
    clPCUnregisterPainter(clPCSlantedPainterClass());
    clPCUnregisterPainter(clPCOneNotePainterClass());
    detail::FinalizeStandardPainter();
    detail::FinalizePainterFactory();
}

}  // namespace pagecontrol
