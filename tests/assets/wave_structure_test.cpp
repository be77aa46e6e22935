// The ring's RIFF image: chunk layout and header fields. Where the figures come
// from: every size, count and field value is the layout of the original RING
// WAVE resource (48,316 bytes: fmt, 48,094 bytes of data, LIST/INFO, cue and
// LIST/adtl), which tools/ring writes byte for byte in the same shape.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QProcess>
#include <QResource>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "resource_bytes.h"

namespace klemvar::test {
namespace {

struct Chunk {
  std::string id;
  std::uint32_t size;
  qsizetype body;  // offset of the chunk's contents
};

std::vector<Chunk> Chunks(const QByteArray& bytes, qsizetype from, qsizetype to) {
  std::vector<Chunk> chunks;
  while (from + 8 <= to) {
    const Chunk chunk{bytes.mid(from, 4).toStdString(), Le32(bytes, from + 4), from + 8};
    chunks.push_back(chunk);
    from = chunk.body + chunk.size + chunk.size % 2;
  }
  EXPECT_EQ(from, to) << "chunks overrun their parent";
  return chunks;
}

std::vector<std::string> Ids(const std::vector<Chunk>& chunks) {
  std::vector<std::string> ids;
  for (const Chunk& c : chunks) ids.push_back(c.id);
  return ids;
}

class WaveStructure : public ::testing::Test {
 protected:
  QByteArray wave = ResourceBytes(":/sounds/RING.wav");
  void SetUp() override { ASSERT_EQ(wave.size(), 48316); }
};

TEST_F(WaveStructure, RiffHeaderAndSizes) {
  EXPECT_EQ(wave.left(4), "RIFF");
  EXPECT_EQ(Le32(wave, 4), 48308u);
  EXPECT_EQ(wave.mid(8, 4), "WAVE");
}

TEST_F(WaveStructure, ChunksInOrderWithPcmFormat) {
  const auto chunks = Chunks(wave, 12, wave.size());
  ASSERT_EQ(Ids(chunks), (std::vector<std::string>{"fmt ", "data", "LIST", "cue ", "LIST"}));
  const qsizetype fmt = chunks[0].body;
  EXPECT_EQ(chunks[0].size, 16u);
  EXPECT_EQ(Le16(wave, fmt), 1u);          // PCM
  EXPECT_EQ(Le16(wave, fmt + 2), 1u);      // mono
  EXPECT_EQ(Le32(wave, fmt + 4), 11025u);  // samples per second
  EXPECT_EQ(Le32(wave, fmt + 8), 22050u);  // bytes per second
  EXPECT_EQ(Le16(wave, fmt + 12), 2u);     // block align
  EXPECT_EQ(Le16(wave, fmt + 14), 16u);    // bits per sample
  EXPECT_EQ(chunks[1].size, 48094u);
}

TEST_F(WaveStructure, InfoCueAndRegionDescribeTheWholeSound) {
  ASSERT_EQ(wave.size(), 48316);
  const auto chunks = Chunks(wave, 12, wave.size());
  ASSERT_EQ(chunks.size(), 5u);

  const Chunk& info = chunks[2];
  EXPECT_EQ(wave.mid(info.body, 4), "INFO");
  const auto tags = Chunks(wave, info.body + 4, info.body + info.size);
  EXPECT_EQ(Ids(tags), (std::vector<std::string>{"ICRD", "IENG", "ISFT"}));
  for (const Chunk& tag : tags) EXPECT_EQ(wave[tag.body + tag.size - 1], '\0') << tag.id;

  const Chunk& cue = chunks[3];
  EXPECT_EQ(Le32(wave, cue.body), 1u);  // one cue point
  EXPECT_EQ(cue.size, 4u + 24u);
  const std::uint32_t cue_id = Le32(wave, cue.body + 4);
  EXPECT_EQ(wave.mid(cue.body + 12, 4), "data");
  EXPECT_EQ(Le32(wave, cue.body + 24), 0u);  // at the first sample

  const Chunk& adtl = chunks[4];
  EXPECT_EQ(wave.mid(adtl.body, 4), "adtl");
  const auto notes = Chunks(wave, adtl.body + 4, adtl.body + adtl.size);
  ASSERT_EQ(Ids(notes), (std::vector<std::string>{"ltxt", "labl"}));
  EXPECT_EQ(Le32(wave, notes[0].body), cue_id);
  EXPECT_EQ(Le32(wave, notes[0].body + 4), 24047u);  // the region spans every frame
  EXPECT_EQ(wave.mid(notes[0].body + 8, 4), "rgn ");
  EXPECT_EQ(Le32(wave, notes[1].body), cue_id);
}

TEST_F(WaveStructure, EmbeddedUncompressedForPlayingFromMemory) {
  const QResource resource(":/sounds/RING.wav");
  ASSERT_TRUE(resource.isValid());
  EXPECT_EQ(resource.compressionAlgorithm(), QResource::NoCompression);
  EXPECT_TRUE(QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data()),
                                      resource.size()) == wave);
}

TEST_F(WaveStructure, GeneratorIsDeterministic) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString out = dir.filePath("RING.wav");
  ASSERT_EQ(QProcess::execute(KLEMVAR_RINGGEN, {out}), 0);
  QFile file(out);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll() == wave);
}

}  // namespace
}  // namespace klemvar::test
