-- EDI master tables for MariaDB (and MySQL through the same ODBC driver). InnoDB for row locks
-- and transactions; utf8mb4 for the Japanese names and any text an operator pastes. The
-- collation compares text exactly as stored, as the other databases do: no case folding, and
-- trailing blanks count (NO PAD). On MySQL 8 use utf8mb4_0900_bin instead.
DROP TABLE IF EXISTS FL1912EDIスケジュールマスタ;
DROP TABLE IF EXISTS FL1903EDI制御マスタ;
DROP TABLE IF EXISTS 区分マスタ;
DROP TABLE IF EXISTS FL1916メッセージグループ情報マスタ;
DROP TABLE IF EXISTS FL1902フォーマット情報マスタ;
DROP TABLE IF EXISTS FL1901項目情報マスタ;

CREATE TABLE 区分マスタ (
    区分 varchar(20) NOT NULL,
    区分コード varchar(10) NOT NULL,
    区分名称 varchar(40),
    PRIMARY KEY (区分, 区分コード)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_nopad_bin;

CREATE TABLE FL1903EDI制御マスタ (
    センターコード varchar(12) NOT NULL PRIMARY KEY,
    センター名 varchar(40),
    送受信方式 varchar(2),
    RLY受信ファイルパス varchar(255),
    RLY送信ファイルパス varchar(255),
    相手先種別 varchar(2),
    実行端末名 varchar(32)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_nopad_bin;

-- A row is one weekly start: all four columns together identify it. TIME would also take
-- durations such as 25:00; a start time is a time of day.
CREATE TABLE FL1912EDIスケジュールマスタ (
    センターコード varchar(12) NOT NULL,
    送受信種別 varchar(1) NOT NULL,
    曜日 varchar(10) NOT NULL,
    起動時刻 time NOT NULL CHECK (起動時刻 >= '00:00:00' AND 起動時刻 < '24:00:00'),
    UNIQUE (センターコード, 送受信種別, 曜日, 起動時刻)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_nopad_bin;

CREATE TABLE FL1916メッセージグループ情報マスタ (
    相手先コード varchar(12) NOT NULL,
    自社コード varchar(12) NOT NULL,
    情報区分 varchar(4) NOT NULL,
    PRIMARY KEY (相手先コード, 自社コード, 情報区分)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_nopad_bin;

-- Several versions of one format share the (情報区分コード, BPID) pair.
CREATE TABLE FL1902フォーマット情報マスタ (
    情報区分コード varchar(4) NOT NULL,
    BPID varchar(20) NOT NULL,
    版 integer NOT NULL,
    フォーマット名 varchar(40),
    PRIMARY KEY (情報区分コード, BPID, 版)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_nopad_bin;

CREATE TABLE FL1901項目情報マスタ (
    項目No varchar(4) NOT NULL PRIMARY KEY,
    データ項目名 varchar(40)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_nopad_bin;
