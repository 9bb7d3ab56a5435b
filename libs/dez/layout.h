/* The action-bar layout resource: shared by the library that reads it and by the resource
   scripts that hold it (windres includes this file with RC_INVOKED defined).

   A layout is a resource of type DEZ_LAYOUT_TYPE whose id the caller names. Its bytes, in
   little-endian order and without any padding:
       32-bit  DEZ_LAYOUT_SIGNATURE
       16-bit  number of buttons
       per button, in the bar's order:
           16-bit  command id (posted to the bar's parent as WM_COMMAND when clicked)
           bytes   the button's label, ending with a NUL (at most DEZ_LABEL_SIZE - 1 kept)

   In a resource script:
       10 DEZ_LAYOUT_TYPE
       BEGIN
           DEZ_LAYOUT_SIGNATURE, 2,
           501, "New file\0",
           502, "Open file\0"
       END
   (plain numbers are 16-bit words in windres data; the signature carries its L suffix.) */
#ifndef LIBS_DEZ_LAYOUT_H
#define LIBS_DEZ_LAYOUT_H

#define DEZ_LAYOUT_TYPE 263
#define DEZ_LAYOUT_SIGNATURE 0xE2109F67L
#define DEZ_LABEL_SIZE 36

#ifndef RC_INVOKED
#include <cstddef>
#include <cstdint>

namespace dez {
constexpr uint32_t kLayoutType = DEZ_LAYOUT_TYPE;
constexpr uint32_t kLayoutSignature = 0xE2109F67u;
constexpr size_t kLayoutHeaderSize = 6;  // signature and count
constexpr size_t kLabelSize = DEZ_LABEL_SIZE;
}  // namespace dez
#endif

#endif
