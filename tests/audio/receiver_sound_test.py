# SPDX-License-Identifier: MIT
"""The receiver's tone as a player hears it, through a real PulseAudio server of the test's own
with a null sink whose monitor is recorded: the game stops and starts the Continuous tone over
fifty times in every way a player can (the menu, a new search out of range and back, flying out
and back in, flying on after Reveal), the server is killed and started again while the tone
plays, Classic plays the tone once on the server that came back, and the recording must show
every start heard within 0.3 s, no stop or start that jumps further between two samples than
the tone itself ever does, and no dip in the loop.

usage: receiver_sound_test.py DRIVE TONE.wav"""
import math, os, shutil, signal, subprocess, sys, threading, time, wave
from array import array

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'desktop'))
from x11_session import Session, Timeout, wait_for  # noqa: E402

RATE = 22050
SINK = 'vantrel'
HEARD_WITHIN = 0.3      # seconds from a start being asked to the tone being heard
LOUD = 1000             # a sample beyond this is the tone, not silence
STEP_ALLOWANCE = 1.02   # a fade may add a hair to the tone's own largest step
DIP_WINDOW = 0.01       # seconds; longer than a period of the tone's lowest pitch
DEEPEST_DIP_DB = -1.0


def fail(message):
    print('FAIL: ' + message)
    sys.exit(1)


class SoundServer:
    """A private PulseAudio with one null sink at the tone's own format, so what the game
    plays reaches the monitor sample for sample. PulseAudio refuses nothing to root here but
    warns; it runs with its own runtime and home folders so it meets no other server."""

    def __init__(self, session):
        self.folder = folder = session.tmp
        self.env = dict(session.env, PULSE_RUNTIME_PATH=os.path.join(folder, 'pulse'),
                        PULSE_STATE_PATH=os.path.join(folder, 'state'),
                        PULSE_SERVER='unix:' + os.path.join(folder, 'pulse', 'native'))
        self.proc = None

    def start(self):
        log = open(os.path.join(self.folder, 'pulseaudio.log'), 'a')
        self.proc = subprocess.Popen(
            ['pulseaudio', '--daemonize=no', '--exit-idle-time=-1', '-n', '--use-pid-file=no',
             '--realtime=no', '--high-priority=no', '--log-target=stderr',
             '--load=module-null-sink sink_name=%s rate=%d channels=1 format=s16le' %
             (SINK, RATE),
             '--load=module-native-protocol-unix'],
            env=self.env, stdout=log, stderr=log, start_new_session=True)

        def up():
            if self.proc.poll() is not None:
                raise Timeout('the sound server ended')
            return subprocess.run(['pactl', 'info'], env=self.env, capture_output=True,
                                  timeout=10).returncode == 0
        try:
            wait_for('the sound server', up, 15)
        except Timeout as error:
            fail('%s; see %s' % (error, log.name))

    def kill(self):
        if self.proc and self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait(timeout=10)


class Recording:
    """parec on the sink's monitor. Each block read is stamped with the monotonic time it
    arrived; a block never arrives before its samples were played, so the earliest stamp less
    the samples before it tells when the recording began."""

    def __init__(self, server):
        self.samples = array('h')
        self.began = None
        self.proc = subprocess.Popen(
            ['parec', '-d', SINK + '.monitor', '--raw', '--format=s16le', '--rate=%d' % RATE,
             '--channels=1', '--latency-msec=10'],
            env=server.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()

    def _read(self):
        pending = b''
        while True:
            block = self.proc.stdout.read1(4096)
            if not block:
                return
            now = time.monotonic()
            pending += block
            whole = len(pending) // 2 * 2
            self.samples.frombytes(pending[:whole])
            pending = pending[whole:]
            began = now - len(self.samples) / RATE
            self.began = began if self.began is None else min(self.began, began)

    def stop(self):
        self.proc.terminate()
        try:
            self.proc.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.proc.kill()
        self.reader.join(timeout=10)

    def at(self, seconds):
        return max(0, int((seconds - self.began) * RATE))


def tone_figures(path):
    with wave.open(path) as tone:
        samples = array('h', tone.readframes(tone.getnframes()))
    largest_step = max(abs(samples[i] - samples[i - 1]) for i in range(1, len(samples)))
    return largest_step, max(abs(s) for s in samples)


def first_loud(samples, begin, end):
    for i in range(begin, min(end, len(samples))):
        if abs(samples[i]) > LOUD:
            return i
    return None


def check(recording, events, peak, figures):
    """Checks the events that fall within the recording; adds to `figures`."""
    s = recording.samples
    events = [e for e in events if 0 <= e[1] - recording.began < len(s) / RATE]
    for n, (kind, when, way) in enumerate(events):
        at = recording.at(when)
        following = recording.at(events[n + 1][1]) if n + 1 < len(events) else len(s)
        if kind == 'start':
            figures['starts'] += 1
            heard = first_loud(s, at, following)
            if heard is None or (heard - at) / RATE > HEARD_WITHIN:
                figures['unheard'].append('%s at %.2f s: %s' % (
                    way, at / RATE, 'never' if heard is None else
                    'after %.2f s' % ((heard - at) / RATE)))
                continue
            figures['heard'] += 1
            figures['latest'] = max(figures['latest'], (heard - at) / RATE)
            # The tone holds from the end of its fade-in to the next stop: no dip anywhere.
            # Classic plays the file once, to the fade at its end.
            window = int(DIP_WINDOW * RATE)
            end = following if way != 'classic' else min(following, heard + int(2.9 * RATE))
            for w in range(heard + int(0.05 * RATE), end - window, window):
                level = max(abs(v) for v in s[w:w + window])
                figures['dip'] = min(figures['dip'], level / peak)
        else:
            figures['stops'] += 1
            # Quiet after the fade-out, until the next start.
            still = first_loud(s, at + int(HEARD_WITHIN * RATE), following)
            if still is not None:
                figures['unstopped'].append('%s at %.2f s' % (way, at / RATE))
        edge = s[max(1, at - int(0.05 * RATE)):min(len(s), at + int(0.4 * RATE))]
        step = max((abs(edge[i] - edge[i - 1]) for i in range(1, len(edge))), default=0)
        key = 'stop_step' if kind == 'stop' else 'start_step'
        figures[key] = max(figures[key], step)
    figures['step'] = max(figures['step'],
                          max(abs(s[i] - s[i - 1]) for i in range(1, len(s))) if s else 0)


def main():
    drive, tone = sys.argv[1], sys.argv[2]
    for tool in ('pulseaudio', 'pactl', 'parec'):
        if not shutil.which(tool):
            print('skipped: %s is missing (packages pulseaudio and pulseaudio-utils)' % tool)
            sys.exit(77)
    largest_step, peak = tone_figures(tone)
    session = Session('vantrel-pulse-')
    folder = session.tmp
    server = SoundServer(session)
    game = None
    recordings = []
    try:
        server.start()
        recordings.append(Recording(server))
        time.sleep(0.3)
        env = dict(server.env, QT_QPA_PLATFORM='offscreen',
                   XDG_CONFIG_HOME=os.path.join(folder, 'config'))
        game = subprocess.Popen([drive], env=env, stdin=subprocess.PIPE,
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True,
                                start_new_session=True)
        events = []
        timer = threading.Timer(110, lambda: os.killpg(game.pid, signal.SIGKILL))
        timer.start()
        for line in game.stdout:
            words = line.split()
            if words == ['hold']:
                # The tone plays on while the server is killed and started again.
                time.sleep(0.5)
                recordings[0].stop()
                server.kill()
                time.sleep(0.5)
                server.start()
                restarted = time.monotonic()
                recordings.append(Recording(server))
                came_back = None
                end = time.monotonic() + 10
                while time.monotonic() < end and came_back is None:
                    time.sleep(0.2)
                    came_back = first_loud(recordings[1].samples, 0,
                                           len(recordings[1].samples))
                if came_back is None:
                    fail('the tone did not come back within 10 s of the sound server')
                back_after = recordings[1].began + came_back / RATE - restarted
                time.sleep(0.5)
                game.stdin.write('go\n')
                game.stdin.flush()
            elif len(words) == 3:
                events.append((words[0], float(words[1]), words[2]))
        game.wait(timeout=30)
        timer.cancel()
        time.sleep(0.5)
        recordings[-1].stop()
        errors = game.stderr.read()
        if game.returncode != 0:
            fail('the game ended with %s: %s' % (game.returncode, errors[-2000:]))

        figures = dict(starts=0, heard=0, stops=0, unheard=[], unstopped=[], latest=0.0,
                       dip=1.0, step=0, stop_step=0, start_step=0)
        for recording in recordings:
            check(recording, events, peak, figures)
        dip_db = 20 * math.log10(max(figures['dip'], 1e-6))
        print('restarts heard: %d of %d (latest after %.3f s); stops quiet: %d of %d' % (
            figures['heard'], figures['starts'], figures['latest'],
            figures['stops'] - len(figures['unstopped']), figures['stops']))
        print('largest step: at a stop %d, at a start %d, anywhere %d; the tone\'s own %d' % (
            figures['stop_step'], figures['start_step'], figures['step'], largest_step))
        print('the loop\'s deepest dip: %.2f dB; the tone came back %.1f s after the server' % (
            dip_db, back_after))
        if figures['starts'] < 50:
            fail('only %d starts were recorded' % figures['starts'])
        if figures['unheard']:
            fail('starts not heard within %.1f s: %s' % (HEARD_WITHIN, figures['unheard']))
        if figures['unstopped']:
            fail('stops still sounding: %s' % figures['unstopped'])
        if figures['step'] > largest_step * STEP_ALLOWANCE:
            fail('the sound jumps by %d between two samples; the tone itself by %d at most' % (
                figures['step'], largest_step))
        if dip_db < DEEPEST_DIP_DB:
            fail('the looping tone dips by %.1f dB' % dip_db)
        print('PASS')
    finally:
        if game and game.poll() is None:
            os.killpg(game.pid, signal.SIGKILL)
        for recording in recordings:
            if recording.proc.poll() is None:
                recording.stop()
        server.kill()
        session.close()


if __name__ == '__main__':
    main()
