#pragma once
// The error report's pure parts: the bug log line and the printed pieces.
