#pragma once
// The equation server that containers talk to; started by "-Embedding" or
// "-Automation" instead of showing a window.
class CMolvexApp;

// Starts serving; false when the server cannot be started (the program then exits).
bool StartEquationServer(CMolvexApp& app, bool automation);
