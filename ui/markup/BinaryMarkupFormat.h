#pragma once
// The compact binary markup format ("MainLayout"). All multi-byte integers
// are little-endian; strings are raw UTF-8 bytes without terminator.
//
//   file            magic "1lmb", one tag byte (not interpreted), root record
//   element record  name (short string), attribute entries, child entries,
//                   one terminator byte
//   short string    length (1 byte, 0..255), bytes
//   attribute entry AttributeEntry, name (short string), value
//   child entry     ChildEntry, element record
//   terminator      any byte other than AttributeEntry and ChildEntry; the end
//                   of the stream reads as 0
//   value           one tag byte (ValueTag), then its payload
//
// A record with an empty name stands for a plain "Collection". There are no
// length fields around records: a record ends at its terminator byte.

#include <cstdint>

namespace BinaryMarkup {

constexpr uint8_t Magic[4] = {0x31, 0x6C, 0x6D, 0x62};  // "1lmb"

constexpr uint8_t AttributeEntry = 0x04;
constexpr uint8_t ChildEntry = 0x40;

// The bytes our writer chooses where the reader accepts any value.
constexpr uint8_t WriterTagByte = 0x01;     // the byte after the magic
constexpr uint8_t WriterTerminator = 0x00;  // ends every element record

// Value tags and their payloads.
enum ValueTag : uint8_t {
    IntZero = 0x80,    // Int 0, no payload
    IntOne = 0x82,     // Int 1, no payload
    BoolFalse = 0x84,  // Boolean false, no payload
    BoolTrue = 0x86,   // Boolean true, no payload
    Int8 = 0x88,       // Int, 1 signed byte
    Int16 = 0x8A,      // Int, 2 signed bytes
    Int32 = 0x8C,      // Int, 4 bytes
    String8 = 0x98,    // String, 1-byte length, bytes
    String16 = 0x9A,   // String, 2-byte length, bytes
    String32 = 0x9C,   // String, 4-byte length, bytes
    Element = 0x40,    // an element record given as an attribute value
    // Any other tag: no value; the attribute is skipped, no payload is read.
};

// Deepest element nesting either markup reader builds. Deeper input is cut
// off there (binary) or refused (text), so that building, dumping and
// releasing a tree never recurse without bound.
constexpr int MaxNestingDepth = 256;

}  // namespace BinaryMarkup
