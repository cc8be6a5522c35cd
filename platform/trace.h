// Diagnostic trace lines: formatted into a scratch buffer, never shown or stored.
#pragma once

void Trace(const char* format, ...) __attribute__((format(printf, 1, 2)));
