// page.js: the page's side of the web host (linked into pilo.js ahead of the program): the
// canvas and its zoom, input queued for the program, WebAudio, and the lines the page shows.
Module['pilo'] = (function () {
    const canvas = document.getElementById('screen');
    const lines = document.getElementById('lines');
    const context = canvas.getContext('2d', { alpha: false });
    const queue = [];
    let wake = null;
    let scale = 0;     // zoom asked for in the address, 0: the largest that fits
    let audio = null;  // made at the first click or key: browsers start sound only then
    let audioEnd = 0;  // when the waves queued so far end, in the context's time
    let pressed = 0;   // buttons pressed on the canvas and not yet released

    // Whole device pixels per screen pixel, so the picture stays sharp at any pixel ratio.
    function fit() {
        const ratio = window.devicePixelRatio || 1;
        const width = window.innerWidth * ratio;
        const height = (window.innerHeight - lines.offsetHeight) * ratio;
        const zoom = scale || Math.max(1, Math.floor(Math.min(width / canvas.width, height / canvas.height)));
        canvas.style.width = (canvas.width * zoom / ratio) + 'px';
        canvas.style.height = (canvas.height * zoom / ratio) + 'px';
    }

    function push(event) {
        const last = queue[queue.length - 1];
        if (event.type === 0 && last && last.type === 0) {
            queue[queue.length - 1] = event;  // moves merge while the program is busy
        } else {
            queue.push(event);
        }
        if (wake) wake();
    }

    function startAudio() {
        if (audio) return;
        const Context = window.AudioContext || window.webkitAudioContext;
        if (Context) audio = new Context();
    }

    function modifiers(e) {
        return (e.shiftKey ? 1 : 0) | (e.ctrlKey ? 2 : 0) | (e.altKey ? 4 : 0);
    }

    function mouse(type, e) {
        const box = canvas.getBoundingClientRect();
        push({
            type: type,
            x: Math.floor((e.clientX - box.left) * canvas.width / box.width),
            y: Math.floor((e.clientY - box.top) * canvas.height / box.height),
            button: [1, 3, 2][e.button] || 0,  // left, middle, right as the host numbers them
            buttons: e.buttons & 7,
            mods: modifiers(e),
        });
    }

    canvas.addEventListener('mousedown', function (e) {
        startAudio();
        pressed |= 1 << e.button;
        mouse(1, e);
        e.preventDefault();
    });
    window.addEventListener('mouseup', function (e) {
        if (pressed & (1 << e.button)) {
            pressed &= ~(1 << e.button);
            mouse(2, e);
        }
    });
    window.addEventListener('mousemove', function (e) {
        if (e.target === canvas || pressed) mouse(0, e);
    });
    canvas.addEventListener('contextmenu', function (e) { e.preventDefault(); });

    function key(type, e) {
        // The browser keeps its reload, full screen and developer keys and its shortcuts.
        if (e.metaKey || e.key === 'F5' || e.key === 'F11' || e.key === 'F12') return;
        if (type === 3) startAudio();
        push({ type: type, key: e.key, code: e.code, repeat: e.repeat, mods: modifiers(e) });
        e.preventDefault();
    }
    window.addEventListener('keydown', function (e) { key(3, e); });
    window.addEventListener('keyup', function (e) { key(4, e); });
    window.addEventListener('resize', fit);
    fit();

    return {
        pending: function () { return queue.length > 0 ? 1 : 0; },
        next: function () { return queue.shift(); },
        sleep: function (ms) {
            return new Promise(function (resolve) {
                let timer = 0;
                wake = function () {
                    clearTimeout(timer);
                    wake = null;
                    resolve();
                };
                if (ms >= 0) timer = setTimeout(wake, ms);
            });
        },
        put: function (rgba, width, height) {
            if (canvas.width !== width || canvas.height !== height) {
                canvas.width = width;
                canvas.height = height;
                fit();
            }
            context.putImageData(new ImageData(new Uint8ClampedArray(rgba), width, height), 0, 0);
        },
        setScale: function (n) {
            scale = n;
            fit();
        },
        play: function (bytes, channels, rate, bits) {
            if (!audio) return 0;
            const step = channels * bits / 8;
            const frames = Math.floor(bytes.length / step);
            let buffer;
            try {
                buffer = audio.createBuffer(channels, frames, rate);
            } catch (e) {
                return -1;
            }
            const view = new DataView(bytes.buffer, bytes.byteOffset, bytes.length);
            for (let c = 0; c < channels; ++c) {
                const out = buffer.getChannelData(c);
                for (let i = 0; i < frames; ++i) {
                    const at = i * step + c * bits / 8;
                    out[i] = bits === 8 ? (view.getUint8(at) - 128) / 128 : view.getInt16(at, true) / 32768;
                }
            }
            const source = audio.createBufferSource();
            source.buffer = buffer;
            source.connect(audio.destination);
            audioEnd = Math.max(audio.currentTime, audioEnd);
            source.start(audioEnd);
            audioEnd += buffer.duration;
            return 1;
        },
        say: function (text) {
            const line = document.createElement('p');
            line.textContent = text;
            lines.appendChild(line);
            fit();
        },
        ended: function () {
            const line = document.createElement('p');
            line.className = 'ended';
            line.textContent = 'Pilo has ended. ';
            const again = document.createElement('button');
            again.textContent = 'Play again';
            again.addEventListener('click', function () { location.reload(); });
            line.appendChild(again);
            lines.appendChild(line);
            document.body.classList.add('ended');
            fit();
        },
    };
})();
