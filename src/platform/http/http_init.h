#pragma once

namespace klemvar {

// Sets up the HTTP library for the whole process. Call once at program start,
// before any other thread exists; further calls do nothing.
void InitHttpTransport();

}  // namespace klemvar
