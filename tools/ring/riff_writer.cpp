#include "ring/riff_writer.h"

#include <cstdint>
#include <string>
#include <vector>

namespace klemvar::tools {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& out, std::uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}

void Put32(Bytes& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

void PutTag(Bytes& out, const char (&tag)[5]) { out.insert(out.end(), tag, tag + 4); }

// A chunk's size field excludes the pad byte that keeps the next chunk on an even offset.
void PutChunk(Bytes& out, const char (&tag)[5], const Bytes& body) {
  PutTag(out, tag);
  Put32(out, static_cast<std::uint32_t>(body.size()));
  out.insert(out.end(), body.begin(), body.end());
  if (body.size() % 2 != 0) out.push_back(0);
}

Bytes ZString(const std::string& text) {
  Bytes body(text.begin(), text.end());
  body.push_back(0);
  return body;
}

Bytes FormatBody(int sample_rate) {
  Bytes body;
  Put16(body, 1);  // PCM
  Put16(body, 1);  // mono
  Put32(body, sample_rate);
  Put32(body, sample_rate * 2);
  Put16(body, 2);   // block align
  Put16(body, 16);  // bits per sample
  return body;
}

Bytes DataBody(const std::vector<std::int16_t>& samples) {
  Bytes body;
  for (std::int16_t s : samples) Put16(body, static_cast<std::uint16_t>(s));
  return body;
}

Bytes InfoList(const WaveInfo& info) {
  Bytes body;
  PutTag(body, "INFO");
  PutChunk(body, "ICRD", ZString(info.creation_date));
  PutChunk(body, "IENG", ZString(info.engineer));
  PutChunk(body, "ISFT", ZString(info.software));
  return body;
}

constexpr std::uint32_t kCueId = 1;

Bytes CueBody() {
  Bytes body;
  Put32(body, 1);  // one cue point
  Put32(body, kCueId);
  Put32(body, 0);  // play order position
  PutTag(body, "data");
  Put32(body, 0);  // chunk start
  Put32(body, 0);  // block start
  Put32(body, 0);  // sample offset
  return body;
}

Bytes RegionList(std::uint32_t frames, const std::string& label) {
  Bytes ltxt;
  Put32(ltxt, kCueId);
  Put32(ltxt, frames);
  PutTag(ltxt, "rgn ");
  Put32(ltxt, 0);  // country, language
  Put32(ltxt, 0);  // dialect, code page
  Bytes labl;
  Put32(labl, kCueId);
  const Bytes text = ZString(label);
  labl.insert(labl.end(), text.begin(), text.end());
  Bytes body;
  PutTag(body, "adtl");
  PutChunk(body, "ltxt", ltxt);
  PutChunk(body, "labl", labl);
  return body;
}

}  // namespace

Bytes BuildMonoWave(const std::vector<std::int16_t>& samples, int sample_rate,
                    const WaveInfo& info) {
  Bytes form;
  PutTag(form, "WAVE");
  PutChunk(form, "fmt ", FormatBody(sample_rate));
  PutChunk(form, "data", DataBody(samples));
  PutChunk(form, "LIST", InfoList(info));
  PutChunk(form, "cue ", CueBody());
  PutChunk(form, "LIST", RegionList(static_cast<std::uint32_t>(samples.size()), info.region_label));
  Bytes file;
  PutChunk(file, "RIFF", form);
  return file;
}

}  // namespace klemvar::tools
