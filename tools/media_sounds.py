"""The four sounds, synthesised: 16-bit PCM, mono, 44.1 kHz."""

import wave

import numpy as np

RATE = 44100


def _t(seconds):
    return np.arange(int(RATE * seconds)) / RATE


def _bell(freq, seconds, decay):
    """A struck bell: a few inharmonic partials, each dying away at its own pace."""
    t = _t(seconds)
    out = np.zeros_like(t)
    for ratio, amp, speed in ((1.0, 1.0, 1.0), (2.0, 0.45, 1.6), (2.76, 0.3, 2.4),
                              (5.4, 0.12, 4.0)):
        out += amp * np.sin(2 * np.pi * freq * ratio * t) * np.exp(-t * decay * speed)
    attack = np.minimum(t / 0.004, 1.0)
    return out * attack


def _brass(freq, seconds):
    """A soft brass-like note: odd and even harmonics under a swell and release."""
    t = _t(seconds)
    vibrato = 1 + 0.004 * np.sin(2 * np.pi * 5.5 * t) * np.minimum(t / 0.2, 1)
    phase = 2 * np.pi * freq * np.cumsum(vibrato) / RATE
    out = np.zeros_like(t)
    for h in range(1, 9):
        out += np.sin(h * phase) / h ** 1.3
    env = np.minimum(t / 0.03, 1.0) * np.minimum((seconds - t) / 0.08, 1.0)
    env *= 0.85 + 0.15 * np.exp(-t * 6)
    return out * env


def _place(track, clip, at):
    start = int(RATE * at)
    track[start:start + len(clip)] += clip[:len(track) - start]


def _normalise(x, peak):
    return x * (peak / np.max(np.abs(x)))


def tick():
    """The scroll of a new set asks for this once per frame: short and soft, so that
    hundreds in a row make a gentle purr rather than a buzz."""
    rng = np.random.RandomState(1)
    t = _t(0.03)
    click = np.sin(2 * np.pi * 1900 * t) * np.exp(-t * 260)
    noise = np.convolve(rng.uniform(-1, 1, len(t)), np.ones(6) / 6, mode="same")
    noise *= np.exp(-t * 400)
    return _normalise(click + 0.4 * noise, 0.35)


def chime():
    """A picture is complete: a bright rising arpeggio that rings out over a second."""
    track = np.zeros(int(RATE * 1.1))
    for i, f in enumerate((1046.5, 1318.5, 1568.0, 2093.0)):
        _place(track, 0.8 * _bell(f, 1.1 - 0.07 * i, 4.0), 0.07 * i)
    fade = np.minimum((len(track) - np.arange(len(track))) / (RATE * 0.15), 1.0)
    return _normalise(track * fade, 0.8)


def fanfare():
    """The game is over: a short fanfare, played a little slowed down by the game."""
    notes = ((392.0, 0.0, 0.14), (392.0, 0.16, 0.14), (392.0, 0.32, 0.14),
             (523.25, 0.48, 0.45), (659.25, 0.95, 0.2), (783.99, 1.17, 0.7))
    track = np.zeros(int(RATE * 1.95))
    for f, at, length in notes:
        _place(track, _brass(f, length), at)
        _place(track, 0.5 * _brass(f * 0.5, length), at)
    # the last note as a chord, so the ending sounds settled
    _place(track, 0.6 * _brass(523.25, 0.7), 1.17)
    _place(track, 0.5 * _brass(659.25, 0.7), 1.17)
    return _normalise(track, 0.75)


def pop():
    """Loaded but never played: a short soft pop all the same."""
    t = _t(0.08)
    f = 600 * np.exp(-t * 30)
    return _normalise(np.sin(2 * np.pi * np.cumsum(f) / RATE) * np.exp(-t * 50), 0.5)


def write_wav(path, samples):
    data = np.clip(np.round(samples * 32767), -32768, 32767).astype("<i2")
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(data.tobytes())


def make_sounds(out):
    write_wav(f"{out}/s1.wav", tick())
    write_wav(f"{out}/s5.wav", chime())
    write_wav(f"{out}/s3.wav", fanfare())
    write_wav(f"{out}/s.wav", pop())
