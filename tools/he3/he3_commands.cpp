#include "tools/he3/he3_commands.h"

#include <iostream>
#include <memory>

#include "base/error.h"
#include "codec/code_tree.h"
#include "codec/file_io.h"
#include "codec/he3.h"
#include "codec/he3_format.h"

namespace lekhora::he3tool {
namespace {

constexpr const char* kToolSource = "lekhora-he3";

constexpr const char* kUsage =
    "usage: lekhora-he3 encode SRC DST   compress SRC into DST\n"
    "       lekhora-he3 decode SRC DST   decompress SRC into DST\n"
    "       lekhora-he3 info FILE        describe a compressed file\n"
    "SRC or DST may be - for standard input or output; SRC must be a regular\n"
    "file of at most 2 GiB - 1 bytes (standard input stops there with error 6).\n"
    "DST is replaced only once the new contents are complete, through a new file\n"
    "in its folder that takes its mode, owner and group; a DST with several hard\n"
    "links is written in place instead, so that all of them see the new contents;\n"
    "a symbolic link has its target replaced; a device, FIFO or terminal is\n"
    "written directly; a directory is refused.\n";

// Standard input up to what the format can hold: /dev/zero or an endless pipe
// ends with the overflow error, not with the memory.
Bytes ReadStream(std::istream& in) {
  Bytes bytes;
  char block[1 << 16];
  while (in) {
    in.read(block, sizeof block);
    const auto got = static_cast<std::size_t>(in.gcount());
    if (got > kMaxFileBytes - bytes.size()) throw OverflowError(kToolSource);
    bytes.insert(bytes.end(), block, block + got);
  }
  if (in.bad()) throw Error(kPathFileAccessError, kToolSource, "Cannot read standard input");
  return bytes;
}

void WriteStream(std::ostream& out, const Bytes& bytes) {
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  out.flush();
  if (!out) throw Error(kPathFileAccessError, kToolSource, "Cannot write standard output");
}

std::int32_t LengthOf(const Bytes& bytes) {
  if (bytes.size() > static_cast<std::size_t>(INT32_MAX)) throw OverflowError();
  return static_cast<std::int32_t>(bytes.size());
}

void Transform(bool encode, const std::string& src, const std::string& dst, std::istream& in,
               std::ostream& out) {
  if (src != "-" && dst != "-") {
    if (encode) {
      EncodeFile(src, dst);
    } else {
      ReplaceFile(dst, DecodeFile(src), kToolSource);
    }
    return;
  }
  Bytes bytes;
  if (src == "-") {
    bytes = ReadStream(in);
  } else {
    bytes = ReadSourceFile(src, encode ? he3::kEncodeFileSource : he3::kDecodeFileSource);
  }
  if (encode) {
    Encode(bytes, LengthOf(bytes));
  } else {
    Decode(bytes, LengthOf(bytes));
  }
  if (dst == "-") {
    WriteStream(out, bytes);
  } else {
    ReplaceFile(dst, bytes, kToolSource);
  }
}

int Info(const std::string& file, std::istream& in, std::ostream& out) {
  const Bytes bytes = file == "-" ? ReadStream(in) : ReadSourceFile(file, kToolSource);
  const std::size_t n = bytes.size();
  if (n < static_cast<std::size_t>(he3::kIdSize)) throw SubscriptError();
  if (!he3::IsIdentification(bytes.data())) throw he3::NotHe3Error();
  if (bytes[2] == he3::kIdStored) {
    out << "variant: HE0 (stored)\nlength: " << n - he3::kIdSize << "\n";
  } else {
    he3::CompressedHeader header = he3::ReadLengthField(bytes.data(), n);
    out << "variant: HE3 (compressed)\nlength: " << header.length << "\n";
    if (header.length != 0) {
      if (header.length < 0) throw SubscriptError();
      auto tree = std::make_unique<he3::CodeTree>();
      he3::ReadCodeTable(bytes.data(), n, header, *tree);
      int coded = 0;
      int longest = 0;
      for (int len : header.codeLength) {
        if (len == 0) continue;
        ++coded;
        if (len > longest) longest = len;
      }
      out << "coded symbols: " << coded << "\nlongest code: " << longest << " bits\n";
    }
  }
  // The full decode is the only sure test; its failure is the command's.
  Bytes copy = bytes;
  try {
    Decode(copy, LengthOf(copy));
  } catch (const Error& e) {
    if (e.number() == kCodecErrorNumber) out << "checksum: does not hold\n";
    out.flush();
    throw;
  }
  if (bytes[2] == he3::kIdCompressed) out << "checksum: holds\n";
  return 0;
}

}  // namespace

int Run(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
        std::ostream& err) {
  try {
    if (args.size() == 3 && (args[0] == "encode" || args[0] == "decode")) {
      Transform(args[0] == "encode", args[1], args[2], in, out);
      return 0;
    }
    if (args.size() == 2 && args[0] == "info") return Info(args[1], in, out);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
      out << kUsage;
      return 0;
    }
    err << kUsage;
    return 2;
  } catch (const Error& e) {
    err << "lekhora-he3: Error " << e.number() << " (" << e.source() << "): " << e.description()
        << "\n";
    return 1;
  } catch (const std::exception& e) {
    err << "lekhora-he3: Error " << kPathFileAccessError << " (" << kToolSource << "): " << e.what()
        << "\n";
    return 1;
  }
}

}  // namespace lekhora::he3tool
