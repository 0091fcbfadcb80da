#pragma once
// The estimator as the program has it once its main window is made, for the developer tools, the
// screenshot scenes and the tests, which have neither the main window nor the setup window.

namespace tools {

// Defines the parameters (DefineAllParams), gives the user-defined currency the options loader's value
// for an empty registry and loads the options. Runs once, after the libraries have started.
void StartEstimator();

// Stands in for the setup window's options loader: every option takes the value the loader gives when
// the registry holds none, and the control curves and the custom-control switches follow parameters 20
// to 72, as the loader makes them. The power unit and the currency stay as the start or the last
// project file left them. Runs at the start and again after a project is opened.
void LoadOptions();

}  // namespace tools
