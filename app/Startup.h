#pragma once

// The program's start-up sequence.
namespace Startup {

// The whole start-up: file types, the application object and its menu handlers,
// then the event loop. Returns the exit code.
int _Main(int argc, char** argv);

void _InitFileTypes();
void _NewAppInstance();
void _ApplicationAddMenuHandlers();
// An error that no handler caught is shown in the message dialog of the document
// window it arose in (or that its dialog is shown within), so it is never silent.
void _InstallErrorReporter();
// Releases the application object (after the event loop has ended).
void _ReleaseAppInstance();

}  // namespace Startup
