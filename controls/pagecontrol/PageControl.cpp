#include "controls/pagecontrol/PageControl.h"

#include "controls/pagecontrol/clPCPainters.h"
#include "controls/pagecontrol/clPCStandardPainter.h"

namespace pagecontrol {

void initialize() { detail::InitializeStandardPainter(); }

void finalize()
{
    detail::FinalizeStandardPainter();
    detail::FinalizePainterFactory();
}

}  // namespace pagecontrol
