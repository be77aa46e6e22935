#pragma once

namespace klemvar {

// Sets up the HTTP library for the whole process; further calls do nothing.
// Making the libcurl transport calls it, on the GUI thread, before any transfer's
// worker starts (libcurl's set-up is safe while other threads that do not use
// libcurl run).
void InitHttpTransport();

}  // namespace klemvar
