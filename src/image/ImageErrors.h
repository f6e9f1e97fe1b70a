// The exceptions by which the picture readers report failures. Every one carries a text a person can read.
#pragma once

#include <stdexcept>
#include <string>

namespace kw::image {

/// Base of every reader failure.
class EGraphicsException : public std::logic_error {
public:
    explicit EGraphicsException(const std::string &text) : std::logic_error(text) {}
};

// Failures with a fixed text. Each class states its text once, in its default constructor.

class EGraphicsAbort : public EGraphicsException {
public:
    EGraphicsAbort() : EGraphicsException("Abort") {}
};

class EInvalidBitCount : public EGraphicsException {
public:
    EInvalidBitCount() : EGraphicsException("Invalid bit count") {}
};

class ESubscriptOutOfRange : public EGraphicsException {
public:
    ESubscriptOutOfRange() : EGraphicsException("Subscript out of range") {}
};

class EXbmInvalid : public EGraphicsException {
public:
    EXbmInvalid() : EGraphicsException("Invalid XBM Format") {}
};

class EBmpFileReadError : public EGraphicsException {
public:
    EBmpFileReadError() : EGraphicsException("Error reading BMP input file") {}
};

class EBmpNotABmpFile : public EGraphicsException {
public:
    EBmpNotABmpFile() : EGraphicsException("Not a Windows Bitmap stream") {}
};

class EBmpCorruptFile : public EGraphicsException {
public:
    EBmpCorruptFile() : EGraphicsException("Corrupt Windows Bitmap stream") {}
};

class EBmpNotSupported : public EGraphicsException {
public:
    EBmpNotSupported() : EGraphicsException("Unsupported Bitmap Format") {}
};

/// GIF failures; the base carries its own text (limits refused, out of memory).
class EGifError : public EGraphicsException {
public:
    explicit EGifError(const std::string &text) : EGraphicsException(text) {}
};

class EGifFileReadError : public EGifError {
public:
    EGifFileReadError() : EGifError("Error reading from GIF file") {}
};

class EGifNotAGifFile : public EGifError {
public:
    EGifNotAGifFile() : EGifError("Stream is not in GIF format") {}
};

class EGifCorruptFile : public EGifError {
public:
    EGifCorruptFile() : EGifError("Gif stream is corrupt") {}
};

class EGifNoMoreImages : public EGifError {
public:
    EGifNoMoreImages() : EGifError("No more images in the GIF stream") {}
};

/// JPEG failures; the base and the classes without a fixed text carry the JPEG library's message.
class EJpegError : public EGraphicsException {
public:
    explicit EJpegError(const std::string &text) : EGraphicsException(text) {}
};

/// The compressed data is damaged or incomplete.
class EJpegBadData : public EJpegError {
public:
    explicit EJpegBadData(const std::string &text) : EJpegError(text) {}
};

class EJpegAbort : public EJpegError {
public:
    EJpegAbort() : EJpegError("JPEG Aborted") {}
};

class EJpegValueOutOfRange : public EJpegError {
public:
    EJpegValueOutOfRange() : EJpegError("Value out of range") {}
};

/// The JPEG library could not go on for reasons other than the data (memory, internal limits).
class EJpegFatal : public EJpegError {
public:
    explicit EJpegFatal(const std::string &text) : EJpegError(text) {}
};

/// PNG failures, with the PNG library's message.
class EPngError : public EGraphicsException {
public:
    explicit EPngError(const std::string &text) : EGraphicsException(text) {}
};

} // namespace kw::image
