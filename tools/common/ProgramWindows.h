#pragma once
// The program's windows a developer tool shows, made as the program makes them at start-up: once, in
// the program's order (the analysis window, the calculation overview, the graph-style chooser, then the
// hidden translation window), owned by the application and hidden until shown. Of the program's other windows none is made
// here; the analysis window reaches what they would do through its host.

#include "analysis/windows/Fan.h"
#include "analysis/windows/GraphSel.h"
#include "analysis/windows/Report.h"
#include "translation/TranslationForm.h"

#include <string>

namespace tools {

class ProgramWindows {
public:
    ProgramWindows();
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    analysis::TFANFORM& Analysis() const { return *analysis_; }
    analysis::TCALCREP& Overview() const { return *overview_; }
    analysis::TGRSEL& GraphStyle() const { return *graphStyle_; }
    translation::TTranslationForm& Translation() const { return *translation_; }

    // A new project of application 1 (fan) or 2 (pump), as the main window's fan and pump commands make
    // it before they show the analysis window: parameters 1 to 19 to their new-project values, the
    // customer edits empty.
    void NewProject(int application);
    // The Open command (tools::OpenProject) into the analysis window's customer edits; the file becomes
    // the open project and, when it is a fan or pump project (FileAppType), its application the one the
    // analysis window shows. The reader's messages go through the dialog service. False when the file was
    // refused; reported receives the number of lines the reader reported.
    bool OpenProject(const std::string& fileName, int& reported);

private:
    void Free();

    analysis::TFANFORM* analysis_ = nullptr;
    analysis::TCALCREP* overview_ = nullptr;
    analysis::TGRSEL* graphStyle_ = nullptr;
    translation::TTranslationForm* translation_ = nullptr;
};

}  // namespace tools
