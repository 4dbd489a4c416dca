#!/usr/bin/env python3
"""web_test.py: the browser build in headless Chromium, driven through the DevTools protocol.

The page's clock is fixed before the program starts; the first deal must then be the board
model's deal for that second (pilo-board), cells placed as pilo_e2e_layout says. A piece is
moved, the piece-set menu is used, and Escape ends the program. bench/web/web_timing.py reuses the
page driver (open_page) to time it.
Usage: web_test.py PAGE_DIR PILO_BOARD PILO_E2E_LAYOUT"""
import functools, http.server, json, os, shutil, subprocess, sys, tempfile, threading, time
import urllib.request
import websocket

SECONDS = 1000000007  # the page's calendar clock
EMPTY = '.'


def fail(why):
    print('FAIL: ' + why)
    sys.exit(1)


class DevTools:
    def __init__(self, url):
        self.ws = websocket.create_connection(url, timeout=30)
        self.next_id = 0
        self.events = []

    def call(self, method, **params):
        self.next_id += 1
        self.ws.send(json.dumps({'id': self.next_id, 'method': method, 'params': params}))
        while True:
            message = json.loads(self.ws.recv())
            if message.get('id') == self.next_id:
                if 'error' in message:
                    fail('%s %s: %s' % (method, json.dumps(params), message['error']['message']))
                return message['result']
            self.events.append(message)

    def js(self, expression):
        result = self.call('Runtime.evaluate', expression=expression, awaitPromise=True,
                           returnByValue=True)
        if 'exceptionDetails' in result:
            fail('page script failed: ' + json.dumps(result['exceptionDetails']))
        return result['result'].get('value')


def model_board():
    """The model's board after the opening deal at SECONDS: rows of '.', '#' and kind digits."""
    out = subprocess.run([sys.argv[2]], input='time %d\nnewgame\nshow\n' % SECONDS,
                         capture_output=True, text=True, check=True).stdout
    return [line for line in out.splitlines() if len(line) == 13 and set(line) <= set('#.0123456789')]


def layout(tool):
    """Where things are on the screen (pilo_e2e_layout): cells by (row, column), other places
    by name."""
    places = {}
    for line in subprocess.run([tool], capture_output=True, text=True, check=True).stdout.splitlines():
        word = line.split()
        places[word[0]] = word[1:]
    cells = {(r, c): tuple(map(int, places['cell%d_%d' % (r, c)]))
             for r in range(13) for c in range(13)}
    return cells, places


def open_page(page_dir, scenario):
    """Serves page_dir to a headless Chromium with the clock fixed and calls scenario(page)."""
    if not os.path.exists(os.path.join(page_dir, 'pilo.wasm')):
        print('SKIP: %s holds no pilo.wasm: make web builds it' % page_dir)
        sys.exit(77)

    quiet = type('Quiet', (http.server.SimpleHTTPRequestHandler,), {'log_message': lambda *a: None})
    server = http.server.ThreadingHTTPServer(('127.0.0.1', 0),
                                             functools.partial(quiet, directory=page_dir))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    profile = tempfile.mkdtemp(prefix='pilo-web-')
    browser = subprocess.Popen(
        ['/usr/bin/chromium', '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic',
         '--no-first-run', '--disable-background-networking', '--disable-component-update',
         '--disable-sync', '--user-data-dir=' + profile, '--remote-debugging-port=0',
         '--window-size=800,600', 'about:blank'],
        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        scenario(attach(server.server_address[1], profile))
    finally:
        browser.kill()
        browser.wait()
        server.shutdown()
        shutil.rmtree(profile, ignore_errors=True)


def attach(port, profile):
    """DevTools on the page, its clock fixed, once the program has started."""
    port_file = os.path.join(profile, 'DevToolsActivePort')
    for _ in range(300):
        if os.path.exists(port_file) and open(port_file).read().count('\n') >= 1:
            break
        time.sleep(0.05)
    debug_port = open(port_file).read().split()[0]
    targets = json.load(urllib.request.urlopen('http://127.0.0.1:%s/json/list' % debug_port))
    tools = DevTools([t for t in targets if t['type'] == 'page'][0]['webSocketDebuggerUrl'])
    for domain in ('Page', 'Runtime', 'Log', 'Performance'):
        tools.call(domain + '.enable')
    tools.call('Emulation.setDeviceMetricsOverride', width=800, height=600, deviceScaleFactor=1,
               mobile=False)
    tools.call('Page.addScriptToEvaluateOnNewDocument', source='''(() => {
        const Real = Date, fixed = %d * 1000;
        class Fixed extends Real { constructor(...a) { a.length ? super(...a) : super(fixed); } }
        Fixed.now = () => fixed;
        window.Date = Fixed;
    })();''' % SECONDS)
    tools.call('Page.navigate', url='http://127.0.0.1:%d/index.html' % port)
    wait_until('the page', lambda: tools.js("typeof Module === 'object' && !!Module.pilo"))
    return tools


def wait_until(what, test, seconds=10):
    end = time.time() + seconds
    while time.time() < end:
        if test():
            return
        time.sleep(0.05)
    fail('waited %d s for %s' % (seconds, what))


def play(tools):
    board, (cells, places) = model_board(), layout(sys.argv[3])

    # Screen pixels as RRGGBB from the canvas; screen points to page points.
    def colours(points):
        return tools.js('''(() => { const c = document.getElementById('screen');
            const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
            return %s.map(([x, y]) => { const i = (y * c.width + x) * 4;
                return ((d[i] << 16) | (d[i + 1] << 8) | d[i + 2]).toString(16).toUpperCase().padStart(6, '0'); });
        })()''' % json.dumps(points))

    def cell_colours(cell):
        x, y = cells[cell]
        return colours([[x, y], [x - 7, y], [x + 7, y], [x, y - 7], [x, y + 7]])

    box = tools.js('(() => { const r = document.getElementById("screen").getBoundingClientRect();'
                   ' return [r.left, r.top, r.width / 640]; })()')

    def mouse(kind, x, y, button='left', buttons=1):
        page_x, page_y = box[0] + (x + 0.5) * box[2], box[1] + (y + 0.5) * box[2]
        tools.call('Input.dispatchMouseEvent', type=kind, x=page_x, y=page_y, button=button,
                   buttons=buttons if kind == 'mousePressed' else 0, clickCount=1)

    def click(x, y, button='left'):
        mouse('mouseMoved', x, y, 'none', 0)
        mouse('mousePressed', x, y, button, 1 if button == 'left' else 2)
        mouse('mouseReleased', x, y, button)

    # The first deal: pieces stand where the model deals them; empty cells look alike, cells of
    # one kind look alike and different kinds differ. Returns what is wrong, or ''.
    def deal_wrong():
        looks = {(r, c): tuple(cell_colours((r, c))) for r, c in cells}
        empty = {looks[rc] for rc in cells if board[rc[0]][rc[1]] == EMPTY}
        kinds = {}
        for (r, c), look in looks.items():
            if board[r][c].isdigit():
                kinds.setdefault(board[r][c], set()).add(look)
        if len(empty) != 1:
            return 'empty cells look different: %s' % empty
        if any(len(k) != 1 or k & empty for k in kinds.values()):
            return 'pieces of one kind look different or empty: %s' % kinds
        if len(set().union(*kinds.values())) != len(kinds):
            return 'two kinds of piece look alike: %s' % kinds
        return ''
    end = time.time() + 3
    while deal_wrong() and time.time() < end:
        time.sleep(0.05)
    if deal_wrong():
        fail('the first deal: ' + deal_wrong())
    empty_look = cell_colours(next(rc for rc in cells if board[rc[0]][rc[1]] == EMPTY))

    # A piece moves to a free neighbour; the preview shows a new set of waiting pieces.
    src, dst = next(((r, c), (r + dr, c + dc)) for r in range(13) for c in range(13)
                    if board[r][c].isdigit()
                    for dr, dc in ((0, 1), (1, 0), (0, -1), (-1, 0)) if board[r + dr][c + dc] == EMPTY)
    piece = cell_colours(src)
    left, top, right, bottom = map(int, places['preview'])
    preview = [[x, y] for x in range(left, right, 3) for y in range(top, bottom, 3)]
    preview_before = colours(preview)
    click(*cells[src])
    click(*cells[dst])
    wait_until('the piece to arrive', lambda: cell_colours(dst) == piece and cell_colours(src) == empty_look)
    wait_until('a new preview', lambda: colours(preview) != preview_before)

    # A right click on the board opens the piece-set menu; another set changes the pieces.
    menu_left, menu_top, menu_right, menu_bottom = map(int, places['menu'])
    menu_inside = [[menu_left + 1, menu_top + 1], [menu_right - 2, menu_bottom - 2]]
    under_menu = colours(menu_inside)
    click(*cells[(6, 6)], button='right')
    wait_until('the piece-set menu', lambda: colours(menu_inside) != under_menu)
    state = (SECONDS * 214013 + 2531011) & 0xFFFFFFFF  # the runtime's rand() after srand(SECONDS)
    chosen = ((state >> 16) & 0x7FFF) % 3 + 1
    looks = cell_colours(dst)
    click(*map(int, places['item%d' % (chosen % 3)]))
    wait_until('pieces of the chosen set', lambda: cell_colours(dst) not in (looks, empty_look))

    # Escape ends the program; the page says so and offers to start again.
    for kind in ('keyDown', 'keyUp'):
        tools.call('Input.dispatchKeyEvent', type=kind, key='Escape', code='Escape',
                   windowsVirtualKeyCode=27)
    wait_until('the end line', lambda: tools.js(
        '(() => { const e = document.querySelector("p.ended"); return !!e && !!e.querySelector("button"); })()'))
    tools.call('Runtime.evaluate', expression='0')  # collects the events sent meanwhile
    errors = [e for e in tools.events if
              (e['method'] == 'Runtime.consoleAPICalled' and e['params']['type'] == 'error') or
              e['method'] == 'Runtime.exceptionThrown' or
              (e['method'] == 'Log.entryAdded' and e['params']['entry']['level'] == 'error')]
    if errors:
        fail('the console shows errors: %s' % json.dumps(errors)[:2000])
    print('pilo web test passed')


if __name__ == '__main__':
    open_page(sys.argv[1], play)
