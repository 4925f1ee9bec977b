#include "graphics/GIFAnimator.h"

#include "graphics/BitmapTarget.h"
#include "graphics/GIFBlockReader.h"
#include "graphics/LZWDecoderFactory.h"
#include "platform/ServiceRegistry.h"

#include <QFile>

#include <chrono>
#include <stdexcept>

namespace {

constexpr int TimerInterval = 8;

qint64 NowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

TGIFAnimator::TGIFAnimator(IBitmapTarget *ATargetImage) : FImage(ATargetImage)
{
    if (const auto factory = TServiceRegistry::GetService<ILZWDecoderFactory>())
        FLZWDecoder = factory->CreateLZWDecoder();
    FStream.setBuffer(&FStreamData);
    FTimer.setInterval(TimerInterval);
    QObject::connect(&FTimer, &QTimer::timeout, [this] { TimerTick(); });
}

TGIFAnimator::~TGIFAnimator()
{
    FTimer.stop();
    Clear();
}

void TGIFAnimator::SetLZWDecorder(std::shared_ptr<ILZWDecoder> ADecoder)
{
    FLZWDecoder = std::move(ADecoder);
}

void TGIFAnimator::Clear()
{
    FFrames.clear();
    FStream.close();
    FStreamData.clear();
}

bool TGIFAnimator::LoadFromFile(const QString &AFilename)
{
    QFile file(AFilename);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(file.errorString().toStdString());
    return LoadFromStream(&file);
}

bool TGIFAnimator::LoadFromStream(QIODevice *AStream)
{
    Clear();
    FIndex = 0;
    const qint64 start = AStream->pos();

    TGIFHeader header;
    header.LoadFromStream(AStream);
    if (!header.IsValid())
        return false;

    if (FLZWDecoder) {
        // The decoder gets the whole GIF as a private copy.
        const qint64 afterHeader = AStream->pos();
        AStream->seek(start);
        QByteArray copy = AStream->readAll();
        QBuffer copyStream(&copy);
        copyStream.open(QIODevice::ReadOnly);
        FLZWDecoder->Prepare(&copyStream, header);
        AStream->seek(afterHeader);
    }

    TGIFBlockReader reader(AStream);
    TGIFImage image;
    while (reader.ReadNextImage(image)) {
        TFrame frame;
        frame.FX = image.FX;
        frame.FY = image.FY;
        frame.FWidth = image.FWidth;
        frame.FHeight = image.FHeight;
        frame.FDelay = image.FDelay;
        if (FLZWDecoder) {
            QBuffer data(&image.FData);
            data.open(QIODevice::ReadOnly);
            frame.FBitmap = FLZWDecoder->DecodeFrame(int(FFrames.size()), image.FX, image.FY, image.FWidth,
                                                     image.FHeight, &data);
        }
        FFrames.append(frame);
    }
    if (FFrames.isEmpty())
        return false;

    // Keep the GIF exactly as far as it was consumed.
    const qint64 end = AStream->pos();
    AStream->seek(start);
    FStreamData = AStream->read(end - start);
    return true;
}

bool TGIFAnimator::SaveToStream(QIODevice *AStream) const
{
    if (!HasData())
        return false;
    if (AStream->write(FStreamData) != FStreamData.size())
        throw std::runtime_error(AStream->errorString().toStdString());
    return true;
}

TGIFAnimator::TFrame TGIFAnimator::Frames(int AIndex) const
{
    if (AIndex < 0 || AIndex >= Count())
        return TFrame();
    return FFrames[AIndex];
}

QIODevice *TGIFAnimator::RawData()
{
    if (!HasData())
        return nullptr;
    if (!FStream.isOpen())
        FStream.open(QIODevice::ReadOnly);
    FStream.seek(0);
    return &FStream;
}

void TGIFAnimator::SetEnabled(bool AValue)
{
    if (AValue && !FFrames.isEmpty() && FImage)
        FTimer.start();
    else
        FTimer.stop();
    if (FTimer.isActive() && FIndex == 0)
        FPrevTime = NowMs();
}

void TGIFAnimator::Start()
{
    FIndex = 0;
    SetEnabled(true);
}

void TGIFAnimator::TimerTick()
{
    if (FFrames.isEmpty())
        return;
    if (FIndex >= Count())
        FIndex = 0;
    const TFrame &frame = FFrames[FIndex];
    const qint64 now = NowMs();
    if (now - FPrevTime < frame.FDelay)
        return;
    FImage->AssignBitmap(frame.FBitmap);
    FIndex = (FIndex + 1) % Count();
    FPrevTime = now;
}
